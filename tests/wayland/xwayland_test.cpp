// The program started on a Wayland desktop (under-weston.sh): it must come up as an X11
// client of Xwayland, ask the window manager to keep its window on top, and start its
// editor without the window system it chose for itself.
#include "settings/settingsschema.h"
#include "settings/settingsstore.h"
#include "support/runprogram.h"
#include "support/speechdispatcher.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

using namespace keruna;
using keruna::test::run;

namespace {

// A second X client beside the program: it hears the requests the program sends the
// window manager, and stands in for the focus that a seat would give.
class XClient {
public:
    XClient()
        : m_c(xcb_connect(nullptr, nullptr), xcb_disconnect)
    {
        if (xcb_connection_has_error(m_c.get()))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c.get())).data->root;
        // Requests to the window manager go to the root window with these masks (Qt uses the
        // first, others the second); any client selecting one of them hears them too.
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c.get(), m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_c.get());
    }
    bool ok() const { return !xcb_connection_has_error(m_c.get()); }

    xcb_atom_t atom(const char* name)
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                m_c.get(), xcb_intern_atom(m_c.get(), 0, std::strlen(name), name), nullptr),
            std::free);
        return reply ? reply->atom : xcb_atom_t {XCB_ATOM_NONE};
    }

    // weston has no seat here, so it gives no window the focus: tell the window it has it,
    // as a window manager's focus change would.
    void giveFocus(xcb_window_t window)
    {
        char event[32] = {};
        auto* focus = reinterpret_cast<xcb_focus_in_event_t*>(event);
        focus->response_type = XCB_FOCUS_IN;
        focus->detail = XCB_NOTIFY_DETAIL_NONLINEAR;
        focus->event = window;
        focus->mode = XCB_NOTIFY_MODE_NORMAL;
        xcb_send_event(m_c.get(), 0, window, XCB_EVENT_MASK_FOCUS_CHANGE, event);
        xcb_flush(m_c.get());
    }

    // Forgets what was heard so far: the window's own requests when it was mapped.
    void drain()
    {
        xcb_flush(m_c.get());
        while (xcb_generic_event_t* e = xcb_poll_for_event(m_c.get()))
            std::free(e);
    }

    // The _NET_WM_STATE change (1 add, 0 remove) the window asked for about state, if any.
    std::optional<uint32_t> stateRequest(xcb_window_t window, xcb_atom_t state, int waitMs)
    {
        const xcb_atom_t netWmState = atom("_NET_WM_STATE");
        for (int waited = 0; waited <= waitMs; waited += 20) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(m_c.get())) {
                std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(e, std::free);
                if ((e->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
                    continue;
                const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
                if (m->window == window && m->type == netWmState
                    && (m->data.data32[1] == state || m->data.data32[2] == state))
                    return m->data.data32[0];
            }
            QTest::qWait(20);
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> m_c;
    xcb_window_t m_root = XCB_WINDOW_NONE;
};

} // namespace

// Started as a Wayland desktop starts programs, with a word list's editor of its own.
class OnAWaylandDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) << "run by under-weston.sh";
        ASSERT_TRUE(x.ok()) << "no X server at DISPLAY=" << qgetenv("DISPLAY").constData();
        InitSettings(SettingsStore::settingsPath(dir.path()));
        // The desktop's editor for text: a script that writes down the environment it got.
        QDir(dir.path()).mkpath("config");
        QDir(dir.path()).mkpath("data/applications");
        writeFile("editor.sh", "#!/bin/sh\nenv > \"$(dirname \"$0\")/editor-env\"\n");
        QFile::setPermissions(dir.filePath("editor.sh"), QFile::ReadOwner | QFile::ExeOwner);
        writeFile("data/applications/keruna-test-editor.desktop",
            "[Desktop Entry]\nType=Application\nName=Editor\nExec=" + dir.filePath("editor.sh")
                + " %f\n");
        writeFile("config/mimeapps.list",
            "[Default Applications]\ntext/plain=keruna-test-editor.desktop\n");

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // This test program itself runs offscreen; the desktop sets no platform.
        env.remove("QT_QPA_PLATFORM");
        env.insert("XDG_RUNTIME_DIR", desktopRuntime);
        env.insert("KERUNA_PROGRAM_FOLDER", dir.path());
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_DATA_DIRS", dir.filePath("nothing"));
        env.insert("XDG_CONFIG_DIRS", dir.filePath("nothing"));
        program.setProcessEnvironment(env);
        program.start(QString::fromUtf8(KERUNA_BINARY), {});
        ASSERT_TRUE(program.waitForStarted(10000)) << program.errorString().toStdString();

        // Found on Xwayland's display at all: the program is an X11 client.
        const QString found = run("xdotool",
            {"search", "--sync", "--onlyvisible", "--pid", QString::number(program.processId())})
                                  .section(u'\n', 0, 0);
        ASSERT_FALSE(found.isEmpty()) << "no window of the program on Xwayland; it said: "
                                      << program.readAllStandardError().toStdString();
        window = found.toUInt();
    }

    void TearDown() override
    {
        program.kill();
        program.waitForFinished(5000);
    }

    void writeFile(const QString& name, const QString& text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

    // A menu command as the user picks it from the keyboard: Alt and the menu's letter,
    // then the command's letter.
    void menu(const char* menuKey, const char* commandKey)
    {
        x.giveFocus(window);
        QTest::qWait(200);
        x.drain();
        const QString id = QString::number(window);
        run("xdotool", {"key", "--window", id, menuKey});
        QTest::qWait(300);
        run("xdotool", {"key", "--window", id, commandKey});
    }

    // The desktop's, with its Wayland socket: read before the speech environment puts a
    // folder of its own in its place.
    const QString desktopRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    test::SpeechDispatcherEnvironment speech {"null"};
    QTemporaryDir dir;
    XClient x;
    QProcess program;
    xcb_window_t window = XCB_WINDOW_NONE;
};

TEST_F(OnAWaylandDesktop, ItsWindowIsMappedOnXwaylandAndAsksToStayOnTop)
{
    EXPECT_TRUE(run("xwininfo", {"-id", QString::number(window)}).contains("IsViewable"));
    const xcb_atom_t above = x.atom("_NET_WM_STATE_ABOVE");
    // ウィンドウ(&W) → 常に最前面に表示(&T), on and off again.
    for (const uint32_t expected : {1u, 0u}) {
        menu("alt+w", "t");
        const std::optional<uint32_t> request = x.stateRequest(window, above, 3000);
        ASSERT_TRUE(request.has_value()) << "no _NET_WM_STATE_ABOVE request, turning " << expected;
        EXPECT_EQ(*request, expected);
        // weston's own X window manager keeps no window above the others: it answers
        // neither request, and the property stays as it set it. Shown for the record.
        QTest::qWait(200);
        std::printf("_NET_WM_STATE after the request (%s): %s\n", expected ? "on" : "off",
            run("xprop", {"-id", QString::number(window), "_NET_WM_STATE"}).toUtf8().constData());
    }
}

TEST_F(OnAWaylandDesktop, TheEditorItStartsChoosesItsOwnWindowSystem)
{
    // ファイル(&F) → 問題データ編集(&E)
    menu("alt+f", "e");
    const QString written = dir.filePath("editor-env");
    for (int waited = 0; waited < 5000 && !QFile::exists(written); waited += 50)
        QTest::qWait(50);
    QTest::qWait(100); // written by the time the script ends
    QFile f(written);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "the editor was not started";
    const QByteArray env = '\n' + f.readAll();
    EXPECT_FALSE(env.contains("\nQT_QPA_PLATFORM=")) << env.constData();
    EXPECT_TRUE(env.contains("\nWAYLAND_DISPLAY=")) << env.constData();
    EXPECT_TRUE(env.contains("\nDISPLAY=")) << env.constData();
}
