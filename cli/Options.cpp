// Command-line parsing: -o DIR, -j N, --help, --version, files.
#include "cli/Options.h"

#include <charconv>

namespace fq::cli {

namespace {

bool parseJobs(const std::string& text, int& jobs) {
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 1 || value > 1024) return false;
    jobs = value;
    return true;
}

} // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
    ParseResult r;
    Options& o = r.options;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            o.files.push_back(a);
            continue;
        }
        // Options that take a value: "-o DIR", "-oDIR", "--output DIR", "--output=DIR".
        auto value = [&](const std::string& shortName, const std::string& longName,
                         std::optional<std::string>& out) -> bool {
            if (a == shortName || a == longName) {
                if (i + 1 >= args.size()) {
                    r.error = "option " + a + " needs a value";
                    return true;
                }
                out = args[++i];
                return true;
            }
            if (a.rfind(longName + "=", 0) == 0) {
                out = a.substr(longName.size() + 1);
                return true;
            }
            if (a.size() > shortName.size() && a.rfind(shortName, 0) == 0 && a[1] != '-') {
                out = a.substr(shortName.size());
                return true;
            }
            return false;
        };
        std::optional<std::string> v;
        if (a == "--") {
            onlyFiles = true;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == kWorkerFlag) {
            o.worker = true;
        } else if (value("-o", "--output", v)) {
            if (!r.error.empty()) return r;
            if (v->empty()) {
                r.error = "the output folder name is empty";
                return r;
            }
            o.outputFolder = std::filesystem::path(*v);
        } else if (value("-j", "--jobs", v)) {
            if (!r.error.empty()) return r;
            if (!parseJobs(*v, o.jobs)) {
                r.error = "the number of parallel conversions must be a whole number from 1 to 1024, not '" + *v + "'";
                return r;
            }
        } else {
            r.error = "unknown option " + a;
            return r;
        }
    }
    if (!o.help && !o.version && !o.worker && o.files.empty()) r.error = "no files to convert";
    return r;
}

std::string helpText() {
    return "Usage: folioquill-convert [-o DIR] [-j N] FILE...\n"
           "Converts Word documents (.doc, .docx) into Microsoft Publisher files (.pub).\n"
           "\n"
           "Each FILE is saved as DIR/<name>.pub, where <name> is the file name without\n"
           "its extension. The format is told by the content, not by the name.\n"
           "\n"
           "  -o, --output DIR  folder for the publications (default: each document's folder;\n"
           "                    created when missing)\n"
           "  -j, --jobs N      conversions at the same time (default: number of cores)\n"
           "  -h, --help        show this help and exit\n"
           "      --version     show the version and exit\n"
           "\n"
           "One line per file goes to standard error (\"converted: SRC -> OUT\" or\n"
           "\"failed: SRC: reason\"), then \"N converted, M failed\".\n"
           "Exit status: 0 when every file was converted, 1 when some failed, 2 on usage errors.\n";
}

std::string versionText() {
    return std::string("folioquill-convert ") + FQ_VERSION + "\n";
}

} // namespace fq::cli
