#pragma once

#include <QString>
#include <QTemporaryDir>

namespace keruna::test {

// A small real file system (tmpfs) mounted on a temporary folder, so that a full disk
// and a read-only folder fail in the kernel as they do for the user, not in a fault
// seam. Mounting needs root; isMounted() says whether it worked and whyNot() why not.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    QString whyNot() const { return m_whyNot; }
    QString path(const QString& name) const;

    // Fills every free byte with a file of its own; removeFill() gives them back.
    void fill();
    void removeFill();
    // Remounts the file system read-only: even root cannot write to it then.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_whyNot;
};

} // namespace keruna::test
