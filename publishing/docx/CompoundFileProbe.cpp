// Compound file checks through libgsf.
#include "publishing/docx/CompoundFileProbe.h"

#include <gsf/gsf.h>

#include <fstream>
#include <mutex>

namespace fq::docx {

bool isCompoundFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char sig[4] = {0, 0, 0, 0};
    in.read(reinterpret_cast<char*>(sig), 4);
    return in.gcount() == 4 && sig[0] == 0xD0 && sig[1] == 0xCF && sig[2] == 0x11 && sig[3] == 0xE0;
}

bool isEncryptedPackage(const std::filesystem::path& path) {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
    GError* error = nullptr;
    GsfInput* input = gsf_input_stdio_new(path.string().c_str(), &error);
    if (!input) {
        if (error) g_error_free(error);
        return false;
    }
    bool encrypted = false;
    GsfInfile* ole = gsf_infile_msole_new(input, &error);
    if (ole) {
        GsfInput* info = gsf_infile_child_by_name(ole, "EncryptionInfo");
        GsfInput* package = gsf_infile_child_by_name(ole, "EncryptedPackage");
        encrypted = info && package;
        if (info) g_object_unref(info);
        if (package) g_object_unref(package);
        g_object_unref(ole);
    }
    if (error) g_error_free(error);
    g_object_unref(input);
    return encrypted;
}

} // namespace fq::docx
