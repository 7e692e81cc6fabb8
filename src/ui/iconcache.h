#pragma once

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>

#include <optional>

namespace keruna {

// Pictures drawn from our SVG icons, kept between runs in one file: drawing the main
// screen's icons took about 4.5 ms of every start, reading them back takes a third of a
// millisecond.
//
// An entry's key names the picture, the pixels it was drawn into and a digest of the SVG
// it was drawn from, so a changed picture is drawn anew, never shown stale. The file is
// ours alone and can be thrown away at any time: whatever in it does not read back as
// whole, sound pictures is ignored, and the file is written whole or not at all.
class IconCache {
public:
    // Reads nothing until first asked; an empty file name keeps nothing between runs.
    explicit IconCache(QString file);

    std::optional<QImage> find(const QString& key);
    void insert(const QString& key, const QImage& image);
    // Writes the file if anything was added since it was read; false if it could not be.
    bool save();

    // The key for the SVG at path (a resource or a file) drawn into pixels.
    static QString keyFor(const QString& path, QSize pixels);

    // The program's own cache, in the user's cache folder; saved when the event loop is
    // next free after a picture was added (the first paint has been shown by then).
    static IconCache& shared();

private:
    void load();

    QString m_file;
    bool m_loaded = false;
    bool m_changed = false;
    QHash<QString, QImage> m_images;
    QSet<QString> m_used; // entries asked for or added this run
    bool m_saveWhenIdle = false;
    bool m_saveQueued = false;
};

} // namespace keruna
