#include "net/DesktopEntry.h"
#include "net/TUrlLauncher.h"

#include "support/FileContents.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gmock/gmock.h>
#include <sys/stat.h>

namespace {

// Arrives unchanged only if no shell and no argument splitting sees it.
const QString Address = QStringLiteral("http://example.com/a b;c\"d'e $(touch x)`id` &f");

const auto LaunchFails =
    testing::ThrowsMessage<TUrlLaunchError>(testing::StrEq("Couldn't launch default browser"));

// A private XDG world whose fake browser writes the name it was started by and its arguments,
// one a line, to Record.
class UrlLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Every variable the launcher reads, set to a folder of the test's own or unset: each
        // test sets them all, so none leaks a world into the next.
        for (const char* variable :
             {"XDG_CONFIG_HOME=config", "XDG_CONFIG_DIRS=etc", "XDG_DATA_HOME=data",
              "XDG_DATA_DIRS=share", "PATH=bin", "BROWSER", "XDG_CURRENT_DESKTOP"}) {
            const QByteArrayList pair = QByteArray(variable).split('=');
            pair.size() == 2 ? qputenv(pair[0], QFile::encodeName(Path(pair[1])))
                             : qunsetenv(pair[0]);
        }
        Write("bin/fake-browser", R"(#!/bin/sh
PATH=/usr/bin:/bin
printf '%s\n' "${0##*/}" "$@" >"$0.part" && mv "$0.part" ")" +
                                      Record + "\"\n");
    }
    QString Path(const QString& relative) const { return Dir.filePath(relative); }
    void Write(const QString& relative, const QString& text) {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        WriteAll(Path(relative), text.toUtf8());
        QFile::setPermissions(Path(relative),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void Associate(const QString& exec) {
        Write("config/mimeapps.list", "[Default Applications]\ntext/html=web.desktop\n");
        Write("data/applications/web.desktop", "[Desktop Entry]\nExec=" + exec + "\n");
    }
    // The lines the browser wrote.
    QStringList Launch(const QString& url = Address) {
        TUrlLauncher launcher;
        launcher.Url = url;
        launcher.Execute();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(Record); }, 10000))
            << "nothing started";
        QStringList lines = QString::fromUtf8(ReadAll(Record)).split(u'\n');
        QFile::remove(Record);
        return lines.mid(0, lines.size() - 1);
    }

    QTemporaryDir Dir;
    QString Record = Path("record");
    QString Browser = Path("bin/fake-browser");
};

TEST(DesktopEntry, ExecLineIsCutAtItsPlaceholderAndGetsTheAddressAsOneArgument) {
    const std::pair<QString, QStringList> cases[] = {
        {" --new %u --dropped %f", {"--new", Address}},
        {" --opt \"%U\" --dropped", {"--opt", Address}},
        {" --url=%F", {"--url=", Address}},
        {" --plain", {"--plain", Address}},
        {R"( "a \"q\" \\\\ \$" %i %c%% 100%%u)", {R"(a "q" \ $)", "%", "100%u", Address}},
    };
    for (const auto& [exec, arguments] : cases) {
        EXPECT_EQ(DesktopEntry::CommandFor("/bin/web" + exec, Address),
                  QStringList("/bin/web") + arguments)
            << exec.toStdString();
    }
}

TEST_F(UrlLauncherTest, DefaultApplicationFollowsTheLookupOrder) {
    qputenv("XDG_CURRENT_DESKTOP", "Foo:Bar");
    Write("config/mimeapps.list", "[Added Associations]\ntext/html=other.desktop\n");
    Write("etc/mimeapps.list", "[Default Applications]\ntext/html=other.desktop\n");
    Write("etc/bar-mimeapps.list",
          "[Default Applications]\ntext/html=missing.desktop;vendor-web.desktop;\n");
    Write("share/applications/vendor/web.desktop", "[Desktop Entry]\nExec=" + Browser + " -w %u");
    Write("data/applications/other.desktop", "[Desktop Entry]\nExec=" + Browser + " -o %u");
    EXPECT_EQ(Launch(), QStringList({"fake-browser", "-w", Address}));

    QFile::remove(Path("etc/mimeapps.list")), QFile::remove(Path("etc/bar-mimeapps.list"));
    Write("share/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=other.desktop;\n");
    EXPECT_EQ(Launch(), QStringList({"fake-browser", "-o", Address}));
}

// Without $BROWSER (its own test below): the usual programs on the path.
TEST_F(UrlLauncherTest, FallsBackToThePathAndElseDoesNothing) {
    ASSERT_TRUE(QFile::copy(Browser, Path("bin/xdg-open")));
    ASSERT_TRUE(QFile::rename(Browser, Path("bin/x-www-browser")));
    EXPECT_EQ(Launch(), QStringList({"x-www-browser", Address}));
    QFile::remove(Path("bin/x-www-browser"));
    EXPECT_EQ(Launch(), QStringList({"xdg-open", Address}));
    QFile::remove(Path("bin/xdg-open"));
    EXPECT_FALSE(TUrlLauncher().Execute()); // and the caller says so
}

TEST_F(UrlLauncherTest, BrowserVariableIsAListOfCommandsTriedInOrder) {
    const std::pair<QString, QStringList> cases[] = {
        {"/no/such/browser %s:" + Browser + " --x=%s %%s", {"--x=" + Address, "%s"}},
        {":" + Browser + " \"a b\"", {"a b", Address}},
        {Browser + " %s%s", {Address + Address}},
    };
    for (const auto& [browsers, arguments] : cases) {
        qputenv("BROWSER", QFile::encodeName(browsers));
        EXPECT_EQ(Launch(), QStringList("fake-browser") + arguments) << browsers.toStdString();
    }
    qputenv("BROWSER", "/no/such/browser:/nor/this/one %s");
    EXPECT_THAT([this] { Launch(); }, LaunchFails);
}

TEST_F(UrlLauncherTest, HostileLookupFilesCostBoundedWork) {
    qputenv("BROWSER", QFile::encodeName(Browser));
    for (const char* folder : {"config", "etc", "data/applications"}) {
        ASSERT_TRUE(QDir().mkpath(Path(folder)));
    }
    // A FIFO would block a plain open, a link to /dev/zero would be read forever.
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("config/mimeapps.list")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", Path("etc/mimeapps.list")));
    // Folders that match every way of reading the dashes, and an id found under none of them.
    const QString id = QStringLiteral("a-").repeated(40) + "missing.desktop";
    ASSERT_TRUE(QFile::link(".", Path("data/applications/a")));
    ASSERT_TRUE(QFile::link(".", Path("data/applications/a-a")));
    Write("share/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=" + id + ";\n");
    EXPECT_EQ(Launch(), QStringList({"fake-browser", Address}));
}

// However many ids and folders the environment names, the search spends a fixed budget and
// then leaves the address to the fall-back browser, although the listed default comes last.
TEST_F(UrlLauncherTest, LookupAsAWholeGivesUpWithinItsBudget) {
    const QString dashes = QStringLiteral("a-").repeated(255) + "b.desktop;";
    QStringList dataDirs;
    for (int i = 0; i < 1000; ++i) {
        dataDirs += Path("share/%1").arg(i);
    }
    const struct {
        const char* Name;
        QString Ids;
        QStringList DataDirs;
    } cases[] = {{"4 MiB of ids full of dashes", dashes.repeated(7900), {Path("share")}},
                 {"100 such ids, 1000 data folders", dashes.repeated(100), dataDirs},
                 {"250000 ids", QStringLiteral("x-y.desktop;").repeated(250000), {Path("share")}}};
    qputenv("BROWSER", QFile::encodeName(Browser));
    Write("data/applications/web.desktop", "[Desktop Entry]\nExec=" + Browser + " -w %u\n");
    for (const auto& c : cases) {
        ASSERT_LE(c.Ids.size(), 4 * 1024 * 1024) << c.Name;
        Write("config/mimeapps.list",
              "[Default Applications]\ntext/html=" + c.Ids + "web.desktop\n");
        qputenv("XDG_DATA_DIRS", QFile::encodeName(c.DataDirs.join(u':')));
        EXPECT_EQ(Launch(), QStringList({"fake-browser", Address})) << c.Name;
    }
    Write("config/mimeapps.list", "[Default Applications]\ntext/html=" + dashes + "web.desktop\n");
    EXPECT_EQ(Launch(), QStringList({"fake-browser", "-w", Address})); // a few bad ids are fine
}

TEST_F(UrlLauncherTest, BrowserThatCannotStartOrAddressLikeAnOptionThrows) {
    for (const QString& exec : {Path("no-such-browser") + " %u", Browser + " \"--open=%u\""}) {
        Associate(exec);
        EXPECT_THAT([this] { Launch(); }, LaunchFails) << exec.toStdString();
    }
    Associate(Browser + " %u");
    EXPECT_THAT([this] { Launch(" --renderer-cmd-prefix=sh"); }, LaunchFails);
}

} // namespace
