// Inputs of the fuzz targets: listings, temporary files, the two containers.
#include "bench/fuzz/FuzzInput.h"

// glib's headers before Qt's, whose "signals" keyword they would trip over.
#include <gsf/gsf.h>
#include <zip.h>

#include <QGuiApplication>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unistd.h>

namespace fq::fuzz {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPartLine = "@@@part ";
constexpr std::string_view kSeparator = "\n@@@part ";

// Made once and never destroyed, so that the exit handler can still use it.
const fs::path& scratchFolder() {
    static const fs::path* folder = [] {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        auto* made = new fs::path(base / ("fq-fuzz-" + std::to_string(::getpid())));
        fs::create_directories(*made);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(scratchFolder(), ignored);
        });
        return made;
    }();
    return *folder;
}

void initGsf() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

template <typename T>
struct Unref {
    void operator()(T* p) const { if (p) g_object_unref(p); }
};
template <typename T>
using GPtr = std::unique_ptr<T, Unref<T>>;

// Streams and storages of a compound file as a tree.
struct Node {
    std::map<std::string, Node> children;
    const std::string* bytes = nullptr; // a stream when set
};

void writeNode(GsfOutfile* storage, const Node& node) {
    for (const auto& [name, child] : node.children) {
        if (name.empty()) continue;
        const bool isStorage = child.bytes == nullptr;
        GPtr<GsfOutput> out(gsf_outfile_new_child(storage, name.c_str(), isStorage ? TRUE : FALSE));
        if (!out) continue;
        if (isStorage) {
            writeNode(GSF_OUTFILE(out.get()), child);
        } else if (!child.bytes->empty()) {
            gsf_output_write(out.get(), child.bytes->size(), reinterpret_cast<const guint8*>(child.bytes->data()));
        }
        gsf_output_close(out.get());
    }
}

void readNode(GsfInfile* storage, const std::string& prefix, std::vector<Part>& out) {
    const int n = gsf_infile_num_children(storage);
    for (int i = 0; i < n; ++i) {
        const char* name = gsf_infile_name_by_index(storage, i);
        GPtr<GsfInput> child(gsf_infile_child_by_index(storage, i));
        if (!name || !child) continue;
        const std::string path = prefix + name;
        if (GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0) {
            readNode(GSF_INFILE(child.get()), path + "/", out);
            continue;
        }
        const gsf_off_t size = gsf_input_size(child.get());
        std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
        if (size > 0 &&
            !gsf_input_read(child.get(), static_cast<size_t>(size), reinterpret_cast<guint8*>(bytes.data())))
            continue;
        out.emplace_back(path, std::move(bytes));
    }
}

} // namespace

bool isListing(std::string_view input) { return input.substr(0, kListingHeader.size()) == kListingHeader; }

std::vector<Part> parseListing(std::string_view input) {
    std::vector<Part> parts;
    if (!isListing(input)) return parts;
    std::string_view rest = input.substr(kListingHeader.size());
    if (rest.substr(0, kPartLine.size()) != kPartLine) return parts;
    rest.remove_prefix(kPartLine.size());
    while (true) {
        const std::size_t next = rest.find(kSeparator);
        const std::string_view chunk = rest.substr(0, next);
        const std::size_t eol = chunk.find('\n');
        const std::string_view name = chunk.substr(0, eol);
        const std::string_view bytes = eol == std::string_view::npos ? std::string_view() : chunk.substr(eol + 1);
        parts.emplace_back(std::string(name), std::string(bytes));
        if (next == std::string_view::npos) break;
        rest.remove_prefix(next + kSeparator.size());
    }
    return parts;
}

std::string makeListing(const std::vector<Part>& parts) {
    std::string out(kListingHeader);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '\n';
        out += kPartLine;
        out += parts[i].first;
        out += '\n';
        out += parts[i].second;
    }
    return out;
}

fs::path inputFile(std::string_view bytes, const char* extension) {
    const fs::path path = scratchFolder() / (std::string("input.") + extension);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return path;
}

fs::path documentFile(std::string_view input, bool asZip) {
    if (!isListing(input)) return inputFile(input, "bin");
    const fs::path path = scratchFolder() / (asZip ? "listing.docx" : "listing.doc");
    if (asZip) writeZip(path, parseListing(input));
    else writeCompoundFile(path, parseListing(input));
    return path;
}

void writeZip(const fs::path& path, const std::vector<Part>& parts) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("cannot create " + path.string());
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (!source) continue;
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + path.string());
    }
    // An empty archive is not written at all by libzip: leave an empty file.
    if (!fs::exists(path)) std::ofstream(path, std::ios::binary);
}

void writeCompoundFile(const fs::path& path, const std::vector<Part>& parts) {
    initGsf();
    Node root;
    for (const auto& [name, bytes] : parts) {
        Node* node = &root;
        std::size_t start = 0;
        while (true) {
            const std::size_t slash = name.find('/', start);
            node = &node->children[name.substr(start, slash - start)];
            if (slash == std::string::npos) break;
            node->bytes = nullptr;
            start = slash + 1;
        }
        if (node->children.empty()) node->bytes = &bytes;
    }
    GError* error = nullptr;
    GPtr<GsfOutput> sink(gsf_output_stdio_new(path.c_str(), &error));
    if (error) g_error_free(error);
    if (!sink) throw std::runtime_error("cannot create " + path.string());
    GPtr<GsfOutfile> top(gsf_outfile_msole_new(sink.get()));
    writeNode(top.get(), root);
    gsf_output_close(GSF_OUTPUT(top.get()));
    if (!gsf_output_is_closed(sink.get())) gsf_output_close(sink.get());
}

std::vector<Part> readZip(const fs::path& path) {
    std::vector<Part> parts;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) return parts;
    const zip_int64_t n = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            continue;
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (!file) continue;
        std::string bytes(static_cast<std::size_t>(st.size), '\0');
        const zip_int64_t got = zip_fread(file, bytes.data(), bytes.size());
        zip_fclose(file);
        if (got < 0) continue;
        bytes.resize(static_cast<std::size_t>(got));
        parts.emplace_back(st.name, std::move(bytes));
    }
    zip_discard(archive);
    return parts;
}

std::vector<Part> readCompoundFile(const fs::path& path) {
    initGsf();
    std::vector<Part> parts;
    GError* error = nullptr;
    GPtr<GsfInput> file(gsf_input_stdio_new(path.c_str(), &error));
    if (error) g_error_free(error);
    if (!file) return parts;
    error = nullptr;
    GPtr<GsfInfile> top(gsf_infile_msole_new(file.get(), &error));
    if (error) g_error_free(error);
    if (top) readNode(top.get(), "", parts);
    return parts;
}

void startGui() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
    });
}

} // namespace fq::fuzz
