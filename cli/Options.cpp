// Command-line parsing. Options are described in two tables, flags and
// options with a value; short flags may be bundled ("-rq"), values follow
// as "-o DIR", "-oDIR", "--output DIR" or "--output=DIR".
#include "cli/Options.h"

#include <charconv>
#include <functional>

namespace fq::cli {

namespace {

struct Flag {
    char shortName;                                       // 0: none
    const char* longName;
    bool Options::*field;
};

const Flag kFlags[] = {
    {'r', "--recursive", &Options::recursive},
    {'q', "--quiet", &Options::quiet},
    {'h', "--help", &Options::help},
    {0, "--version", &Options::version},
    {0, kLinkedFramesFlag, &Options::linkedFrames},
};

// Stores the value; returns the usage error, or an empty text.
using Store = std::function<std::string(Options&, const std::string&)>;

struct ValueOption {
    char shortName;
    const char* longName;
    Store store;
};

std::string storeOutput(Options& o, const std::string& v) {
    if (v.empty()) return "the output folder name is empty";
    o.outputFolder = std::filesystem::path(v);
    return {};
}

std::string storeJobs(Options& o, const std::string& v) {
    int value = 0;
    const auto* end = v.data() + v.size();
    const auto [ptr, ec] = std::from_chars(v.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 1 || value > 1024)
        return "the number of parallel conversions must be a whole number from 1 to 1024, not '" + v + "'";
    o.jobs = value;
    return {};
}

std::string storeReport(Options& o, const std::string& v) {
    if (v.empty()) return "the report file name is empty";
    o.reportFile = v;
    return {};
}

const ValueOption kValueOptions[] = {
    {'o', "--output", storeOutput},
    {'j', "--jobs", storeJobs},
    {0, "--report", storeReport},
};

const Flag* flagByShortName(char c) {
    for (const Flag& f : kFlags)
        if (f.shortName && f.shortName == c) return &f;
    return nullptr;
}

const ValueOption* valueByShortName(char c) {
    for (const ValueOption& v : kValueOptions)
        if (v.shortName && v.shortName == c) return &v;
    return nullptr;
}

} // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
    ParseResult r;
    Options& o = r.options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size() && r.error.empty(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            o.files.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyFiles = true;
            continue;
        }
        if (a == kWorkerFlag) {
            o.worker = true;
            continue;
        }
        // The value of an option: the rest of this argument, or the next one.
        auto takeValue = [&](const ValueOption& option, const std::string& name, std::optional<std::string> inline_) {
            if (!inline_) {
                if (i + 1 >= args.size()) {
                    r.error = "option " + name + " needs a value";
                    return;
                }
                inline_ = args[++i];
            }
            r.error = option.store(o, *inline_);
        };
        if (a[1] == '-') {
            const std::size_t equals = a.find('=');
            const std::string name = a.substr(0, equals);
            bool known = false;
            for (const Flag& f : kFlags) {
                if (name != f.longName) continue;
                known = true;
                if (equals != std::string::npos) r.error = "option " + name + " takes no value";
                else o.*f.field = true;
            }
            for (const ValueOption& v : kValueOptions) {
                if (name != v.longName) continue;
                known = true;
                takeValue(v, name, equals == std::string::npos ? std::nullopt
                                                               : std::optional<std::string>(a.substr(equals + 1)));
            }
            if (!known) r.error = "unknown option " + a;
            continue;
        }
        // Short options: bundled flags, then at most one option with a value.
        for (std::size_t k = 1; k < a.size() && r.error.empty(); ++k) {
            if (const Flag* f = flagByShortName(a[k])) {
                o.*f->field = true;
            } else if (const ValueOption* v = valueByShortName(a[k])) {
                takeValue(*v, std::string("-") + a[k],
                          k + 1 < a.size() ? std::optional<std::string>(a.substr(k + 1)) : std::nullopt);
                break;
            } else {
                r.error = "unknown option " + (k == 1 ? a : std::string("-") + a[k]);
            }
        }
    }
    if (!r.error.empty()) return r;
    if (!o.help && !o.version && !o.worker && o.files.empty()) r.error = "no files to convert";
    return r;
}

std::string helpText() {
    return "Usage: folioquill-convert [-o DIR] [-j N] FILE...\n"
           "  or:  folioquill-convert -r [-o DIR] [-j N] FOLDER...\n"
           "Converts Word documents (.doc, .docx) into Microsoft Publisher files (.pub).\n"
           "\n"
           "Each FILE is saved as DIR/<name>.pub, where <name> is the file name without\n"
           "its extension. The format is told by the content, not by the name. With -r,\n"
           "each FOLDER is searched with all its sub-folders for the files that are Word\n"
           "documents by content, and the folder structure below it is kept under DIR.\n"
           "\n"
           "  -o, --output DIR     folder for the publications (default: each document's\n"
           "                       folder; created when missing)\n"
           "  -r, --recursive      convert the Word documents in the folders named, at any\n"
           "                       depth\n"
           "  -j, --jobs N         conversions at the same time (default: number of cores)\n"
           "  -q, --quiet          report failures only: no progress line, no \"converted:\"\n"
           "                       lines, no summary\n"
           "      --report FILE    write a report for scripts, one JSON object a line per\n"
           "                       document (source, output, status, message, pages,\n"
           "                       seconds); \"-\" writes it to standard output\n"
           "      --linked-frames  flow the body text of each section through linked\n"
           "                       text frames as one story, so that editing in\n"
           "                       Publisher reflows it from page to page; not the\n"
           "                       default, because readers built on libmspub\n"
           "                       (LibreOffice among them) show the whole story in\n"
           "                       every frame of the chain\n"
           "  -h, --help           show this help and exit\n"
           "      --version        show the version and exit\n"
           "\n"
           "One line per file goes to standard error (\"converted: SRC -> OUT\" or\n"
           "\"failed: SRC: reason\"), then \"N converted, M failed\". On a terminal a\n"
           "progress line shows the files done, the time left and the current file.\n"
           "Exit status: 0 when every file was converted, 1 when some failed, 2 on usage errors.\n";
}

std::string versionText() {
    return std::string("folioquill-convert ") + FQ_VERSION + "\n";
}

} // namespace fq::cli
