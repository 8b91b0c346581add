// Reading compound-file streams through libgsf.
#include "publishing/doc/CompoundFile.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace fq::doc {

namespace {

bool sameName(const char* a, const std::string& b) {
    if (!a) return false;
    std::string s(a);
    if (s.size() != b.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

GsfInput* childNamed(GsfInfile* dir, const std::string& name) {
    const int n = gsf_infile_num_children(dir);
    for (int i = 0; i < n; ++i) {
        if (sameName(gsf_infile_name_by_index(dir, i), name)) return gsf_infile_child_by_index(dir, i);
    }
    return nullptr;
}

std::optional<Bytes> readAll(GsfInput* in) {
    const gsf_off_t size = gsf_input_size(in);
    if (size < 0 || size > (gsf_off_t(1) << 31)) return std::nullopt;
    Bytes out(static_cast<std::size_t>(size));
    if (size > 0 && !gsf_input_read(in, static_cast<size_t>(size), out.data())) {
        // A truncated stream: keep what can be read, chunk by chunk.
        gsf_input_seek(in, 0, G_SEEK_SET);
        std::size_t got = 0;
        while (got < out.size()) {
            const std::size_t chunk = std::min<std::size_t>(4096, out.size() - got);
            if (!gsf_input_read(in, chunk, out.data() + got)) break;
            got += chunk;
        }
        out.resize(got);
    }
    return out;
}

} // namespace

struct CompoundFile::Impl {
    GsfInput* file = nullptr;
    GsfInfile* root = nullptr;
};

bool looksLikeCompoundFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char sig[8] = {};
    in.read(reinterpret_cast<char*>(sig), 8);
    static const unsigned char magic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    return in.gcount() == 8 && std::equal(sig, sig + 8, magic);
}

CompoundFile::CompoundFile(const std::filesystem::path& path) : impl_(std::make_unique<Impl>()) {
    GError* err = nullptr;
    impl_->file = gsf_input_stdio_new(path.string().c_str(), &err);
    if (err) g_error_free(err);
    if (!impl_->file) throw model::ConversionError(model::messages::notAWordDocument);
    err = nullptr;
    impl_->root = gsf_infile_msole_new(impl_->file, &err);
    if (err) g_error_free(err);
    if (!impl_->root) {
        g_object_unref(impl_->file);
        impl_->file = nullptr;
        throw model::ConversionError(model::messages::notAWordDocument);
    }
}

CompoundFile::~CompoundFile() {
    if (impl_->root) g_object_unref(impl_->root);
    if (impl_->file) g_object_unref(impl_->file);
}

std::optional<Bytes> CompoundFile::stream(const std::string& name) const {
    return stream(std::vector<std::string>{name});
}

std::optional<Bytes> CompoundFile::stream(const std::vector<std::string>& path) const {
    GsfInfile* dir = impl_->root;
    g_object_ref(dir);
    std::optional<Bytes> result;
    for (std::size_t i = 0; i < path.size(); ++i) {
        GsfInput* child = childNamed(dir, path[i]);
        g_object_unref(dir);
        dir = nullptr;
        if (!child) return std::nullopt;
        if (i + 1 == path.size()) {
            if (!GSF_IS_INFILE(child) || gsf_infile_num_children(GSF_INFILE(child)) < 0) result = readAll(child);
            g_object_unref(child);
            return result;
        }
        if (!GSF_IS_INFILE(child)) {
            g_object_unref(child);
            return std::nullopt;
        }
        dir = GSF_INFILE(child);
    }
    if (dir) g_object_unref(dir);
    return std::nullopt;
}

std::vector<std::string> CompoundFile::names() const {
    std::vector<std::string> out;
    const int n = gsf_infile_num_children(impl_->root);
    for (int i = 0; i < n; ++i)
        if (const char* s = gsf_infile_name_by_index(impl_->root, i)) out.emplace_back(s);
    return out;
}

} // namespace fq::doc
