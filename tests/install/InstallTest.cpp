// The build installed into a temporary prefix and packaged as a .deb, and
// both checked as a user's system would take them: the Debian tools
// validate the desktop entry, the metadata, the manual pages and the
// package, and the programs run from where they were installed.
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace {

namespace fs = std::filesystem;

struct Ran {
    int exitCode = -1;
    std::string out, err;
};

Ran runTool(const QString& program, const QStringList& args, const QProcessEnvironment& env = {}) {
    QProcess p;
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    p.start(program, args);
    Ran r;
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        r.err = "did not finish";
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

bool haveTool(const char* name) { return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty(); }

#define REQUIRE_TOOL(name) \
    if (!haveTool(name)) GTEST_SKIP() << name << " is not installed (scripts/packages.txt lists it)"

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QString q(const fs::path& p) { return QString::fromStdString(p.string()); }

// Width and height from a PNG file's header.
std::pair<int, int> pngSize(const fs::path& p) {
    const std::string bytes = readText(p);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto u32 = [&](std::size_t o) {
        int v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[o + i]);
        return v;
    };
    return {u32(16), u32(20)};
}

// The long options that --help lists.
std::set<std::string> longOptions(const std::string& help) {
    std::set<std::string> names;
    static const QRegularExpression option(QStringLiteral("^\\s+(?:-\\w, )?(--[a-z-]+)"),
                                           QRegularExpression::MultilineOption);
    auto it = option.globalMatch(QString::fromStdString(help));
    while (it.hasNext()) names.insert(it.next().captured(1).toStdString());
    return names;
}

const char* const kAppId = FQ_APP_ID;

// One installation for all cases of this program.
class InstalledTree : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        install_ = runTool(QStringLiteral(FQ_CMAKE_COMMAND),
                           {"--install", FQ_BINARY_DIR, "--prefix", q(prefix())});
    }
    static void TearDownTestSuite() { dir_.reset(); }
    void SetUp() override { ASSERT_EQ(install_.exitCode, 0) << install_.out << install_.err; }

    static fs::path prefix() { return fs::path(dir_->path().toStdString()) / "prefix"; }
    static fs::path scratch() { return fs::path(dir_->path().toStdString()) / "scratch"; }
    static fs::path share() { return prefix() / "share"; }
    static QString program(const char* name) { return q(prefix() / "bin" / name); }

    static inline std::unique_ptr<QTemporaryDir> dir_;
    static inline Ran install_;
};

TEST_F(InstalledTree, EveryFileIsInItsPlace) {
    for (const char* name : {"folioquill", "folioquill-convert"}) {
        const fs::path p = prefix() / "bin" / name;
        ASSERT_TRUE(fs::is_regular_file(p)) << p;
        EXPECT_NE(fs::status(p).permissions() & fs::perms::others_exec, fs::perms::none) << p;
    }
    const std::string id = kAppId;
    for (const std::string& relative :
         {"applications/" + id + ".desktop", "metainfo/" + id + ".metainfo.xml", std::string("man/man1/folioquill.1.gz"),
          std::string("man/man1/folioquill-convert.1.gz"), std::string("bash-completion/completions/folioquill-convert"),
          std::string("icons/hicolor/scalable/apps/folioquill.svg"), std::string("folioquill/HAND-M.CUR"),
          std::string("folioquill/drag.ico"), std::string("doc/folioquill/copyright")})
        EXPECT_TRUE(fs::is_regular_file(share() / relative)) << relative;
    // Each icon has the size of the folder it is in.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(pngSize(share() / "icons/hicolor" / folder / "apps/folioquill.png"), std::make_pair(size, size))
            << folder;
    }
    int samples = 0;
    for (const auto& e : fs::directory_iterator(share() / "folioquill/Samples")) samples += e.is_regular_file();
    EXPECT_GE(samples, 2);
}

TEST_F(InstalledTree, DesktopEntryAndMetadataPassTheDesktopTools) {
    REQUIRE_TOOL("desktop-file-validate");
    REQUIRE_TOOL("appstreamcli");
    const fs::path entry = share() / "applications" / (std::string(kAppId) + ".desktop");
    const Ran desktop = runTool(QStringLiteral("desktop-file-validate"), {q(entry)});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "");
    // validate-tree also checks that the entry and icon the metadata names are installed.
    const Ran tree = runTool(QStringLiteral("appstreamcli"), {"validate-tree", "--no-net", q(prefix())});
    EXPECT_EQ(tree.exitCode, 0) << tree.out << tree.err;

    const std::string text = readText(entry);
    EXPECT_NE(text.find("\nExec=folioquill %F\n"), std::string::npos);
    EXPECT_NE(text.find("\nIcon=folioquill\n"), std::string::npos);
    for (const char* type : {"application/msword;", "application/vnd.openxmlformats-officedocument.wordprocessingml.document;"})
        EXPECT_NE(text.find(type), std::string::npos) << type;
    const std::string metainfo = readText(share() / "metainfo" / (std::string(kAppId) + ".metainfo.xml"));
    EXPECT_NE(metainfo.find("<release version=\"" FQ_PROJECT_VERSION "\""), std::string::npos)
        << "the newest release in the metadata is not the project's version";
}

TEST_F(InstalledTree, ProgramsRunFromThePrefixAndFindTheirFiles) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const Ran version = runTool(program("folioquill"), {"--version"}, env);
    EXPECT_EQ(version.out, "folioquill " FQ_PROJECT_VERSION "\n") << version.err;
    const Ran help = runTool(program("folioquill"), {"--help"}, env);
    EXPECT_EQ(help.exitCode, 0);
    const fs::path samples = share() / "folioquill" / "Samples";
    EXPECT_NE(help.out.find("Sample documents: " + samples.string() + "\n"), std::string::npos) << help.out;

    const Ran convert = runTool(program("folioquill-convert"), {"-r", "-o", q(scratch() / "out"), q(samples)}, env);
    EXPECT_EQ(convert.exitCode, 0) << convert.err;
    int publications = 0;
    for (const auto& e : fs::directory_iterator(scratch() / "out")) publications += e.path().extension() == ".pub";
    EXPECT_GE(publications, 2) << convert.err;
}

TEST_F(InstalledTree, ManualPagesRenderCleanlyAndDescribeEveryOption) {
    REQUIRE_TOOL("groff");
    REQUIRE_TOOL("gzip");
    std::map<std::string, std::string> pages;
    for (const char* name : {"folioquill", "folioquill-convert"}) {
        const fs::path page = share() / "man/man1" / (std::string(name) + ".1.gz");
        const Ran source = runTool(QStringLiteral("gzip"), {"-dc", q(page)});
        ASSERT_EQ(source.exitCode, 0) << page;
        pages[name] = source.out;
        const fs::path plain = scratch() / (std::string(name) + ".1");
        fs::create_directories(scratch());
        std::ofstream(plain, std::ios::binary) << source.out;
        const Ran render = runTool(QStringLiteral("groff"), {"-man", "-ww", "-z", "-Tutf8", q(plain)});
        EXPECT_EQ(render.exitCode, 0) << name;
        EXPECT_EQ(render.err, "") << name;
    }
    // Every option --help lists is in the manual page and the completion;
    // roff writes "-" as "\-".
    const std::string completion = readText(share() / "bash-completion/completions/folioquill-convert");
    const std::pair<const char*, std::string> programs[] = {{"folioquill", pages["folioquill"]},
                                                            {"folioquill-convert", pages["folioquill-convert"]}};
    for (const auto& [name, page] : programs) {
        const Ran help = runTool(program(name), {"--help"});
        const std::set<std::string> options = longOptions(help.out);
        EXPECT_GE(options.size(), 2u) << help.out;
        for (const std::string& option : options) {
            const std::string roff = "\\-\\-" + option.substr(2);
            EXPECT_NE(page.find(roff), std::string::npos) << name << "(1) lacks " << option;
            if (std::string(name) == "folioquill-convert") {
                EXPECT_NE(completion.find(option), std::string::npos) << "the completion lacks " << option;
            }
        }
    }
}

TEST_F(InstalledTree, CompletionOffersOptionsFoldersAndDocuments) {
    REQUIRE_TOOL("bash");
    const fs::path work = scratch() / "completion";
    fs::create_directories(work / "sub");
    for (const char* name : {"a.docx", "B.DOC", "c.txt"}) std::ofstream(work / name) << "x";
    const QString script = QStringLiteral(
        "source \"$1\"; cd \"$2\"\n"
        "t() { COMP_WORDS=(\"$@\"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _folioquill_convert;\n"
        "      printf '%s ' $(printf '%s\\n' \"${COMPREPLY[@]}\" | sort); echo; }\n"
        "t folioquill-convert --re\n"
        "t folioquill-convert -o ''\n"
        "t folioquill-convert --output = ''\n"
        "t folioquill-convert -r ''\n");
    const Ran r = runTool(QStringLiteral("bash"), {"-c", script, "completion",
                                                   q(share() / "bash-completion/completions/folioquill-convert"), q(work)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "--recursive --report \nsub \nsub \nB.DOC a.docx sub \n") << r.err;
}

// The Debian package, built from the same build folder.
TEST(DebianPackage, CarriesTheRuntimeDependenciesAndPassesLintian) {
    REQUIRE_TOOL("dpkg-deb");
    REQUIRE_TOOL("dpkg-shlibdeps");
    REQUIRE_TOOL("lintian");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path out = fs::path(dir.path().toStdString());
    const Ran pack = runTool(QStringLiteral(FQ_CPACK_COMMAND),
                             {"-G", "DEB", "--config", FQ_BINARY_DIR "/CPackConfig.cmake", "-B", q(out)});
    ASSERT_EQ(pack.exitCode, 0) << pack.out << pack.err;
    fs::path deb;
    for (const auto& e : fs::directory_iterator(out))
        if (e.path().extension() == ".deb") deb = e.path();
    ASSERT_FALSE(deb.empty()) << pack.out;
    EXPECT_EQ(deb.filename().string().rfind("folioquill_" FQ_PROJECT_VERSION "_", 0), 0u) << deb;

    const Ran depends = runTool(QStringLiteral("dpkg-deb"), {"--field", q(deb), "Depends"});
    for (const char* package : {"libqt6widgets6", "libqt6gui6", "libqt6core6", "libgsf-1-114", "libzip4",
                                "libpugixml1v5", "fonts-liberation", "fonts-crosextra-carlito",
                                "fonts-crosextra-caladea"})
        EXPECT_NE(depends.out.find(package), std::string::npos) << package << " missing from: " << depends.out;

    const Ran contents = runTool(QStringLiteral("dpkg-deb"), {"--contents", q(deb)});
    for (const char* path : {"./usr/bin/folioquill\n", "./usr/bin/folioquill-convert\n",
                             "./usr/share/folioquill/Samples/", "./usr/share/man/man1/folioquill-convert.1.gz\n",
                             "./usr/share/doc/folioquill/copyright\n"})
        EXPECT_NE(contents.out.find(path), std::string::npos) << path;
    EXPECT_EQ(contents.out.find(FQ_BINARY_DIR), std::string::npos) << "a build path in the package";
    EXPECT_EQ(contents.out.find("/usr/local"), std::string::npos);

    // Unpacked, the converter runs from there and finds nothing of the build.
    const fs::path root = out / "root";
    ASSERT_EQ(runTool(QStringLiteral("dpkg-deb"), {"-x", q(deb), q(root)}).exitCode, 0);
    const Ran help = runTool(q(root / "usr/bin/folioquill"), {"--help"});
    EXPECT_NE(help.out.find("Sample documents: " + (root / "usr/share/folioquill/Samples").string()), std::string::npos)
        << help.out;

    // Debian's own checks: no error and no warning.
    const Ran lint = runTool(QStringLiteral("lintian"), {"--fail-on", "error,warning", q(deb)});
    EXPECT_EQ(lint.exitCode, 0) << lint.out << lint.err;
}

} // namespace
