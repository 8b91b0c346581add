// The compound file of a .pub, written with libgsf.
#include "publishing/pub/OleContainer.h"

#include "publishing/pub/CompoundDirectory.h"

#include <gsf/gsf.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-timestamp.h>

#include <ctime>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

namespace fq::pub {

namespace {

// Root entry class id of files saved by Publisher 2003-2010, byte for byte.
constexpr std::uint8_t kRootClassId[16] = {0x01, 0x12, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                           0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// {08C8F6DA-969D-11D1-8E02-00C04FB6FECE}: the Quill story group.
constexpr std::uint8_t kQuillClassId[16] = {0xDA, 0xF6, 0xC8, 0x08, 0x9D, 0x96, 0xD1, 0x11,
                                            0x8E, 0x02, 0x00, 0xC0, 0x4F, 0xB6, 0xFE, 0xCE};

// CompObj header: version, byte order, OS, 0xFFFFFFFF, the class id of
// the storage the stream describes.
void compObjHeader(ByteBuffer& b, const std::uint8_t (&classId)[16]) {
    b.u16(1);
    b.u16(0xFFFE);
    b.u32(0x00000A03);
    b.u32(0xFFFFFFFF);
    b.append(classId, 16);
}

void ansi(ByteBuffer& b, const std::string& s) {
    b.u32(static_cast<std::uint32_t>(s.size() + 1));
    b.append(s.data(), s.size());
    b.u8(0);
}

// The CompObj trailer: Unicode marker 0x71B239F4 and three empty strings.
void compObjTail(ByteBuffer& b) {
    b.u32(0x71B239F4);
    b.zeros(12);
}

ByteBuffer rootCompObj() {
    ByteBuffer b;
    compObjHeader(b, kRootClassId);
    ansi(b, "Microsoft Publisher 3.0");
    ansi(b, "MSPublisher.3");
    b.u32(0);
    compObjTail(b);
    return b;
}

// The story group names a standard clipboard format (1, text) where the
// root names its own.
ByteBuffer quillCompObj() {
    ByteBuffer b;
    compObjHeader(b, kQuillClassId);
    ansi(b, "Quill96 Story Group Class");
    b.u32(0xFFFFFFFF);
    b.u32(1);
    b.u32(0);
    compObjTail(b);
    return b;
}

struct GObjectDeleter {
    void operator()(gpointer p) const {
        if (p) g_object_unref(p);
    }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectDeleter>;

std::string utf8Path(const std::filesystem::path& path) {
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error("Cannot write the publication: " + what); }

void writeStream(GsfOutfile* parent, const char* name, const std::vector<std::uint8_t>& data) {
    GPtr<GsfOutput> child(gsf_outfile_new_child(parent, name, FALSE));
    if (!child) fail(std::string("cannot create stream ") + name);
    if (!data.empty() && !gsf_output_write(child.get(), data.size(), data.data()))
        fail(std::string("cannot write stream ") + name);
    if (!gsf_output_close(child.get())) fail(std::string("cannot close stream ") + name);
}

GPtr<GsfOutfile> storage(GsfOutfile* parent, const char* name) {
    GsfOutput* child = gsf_outfile_new_child(parent, name, TRUE);
    if (!child) fail(std::string("cannot create storage ") + name);
    return GPtr<GsfOutfile>(GSF_OUTFILE(child));
}

void closeStorage(GsfOutfile* s) {
    if (!gsf_output_close(GSF_OUTPUT(s))) fail("cannot close a storage");
}

// The save time as a FILETIME: the document's own last save (libmspub shows
// the root entry's modification time as the document's date), else now.
std::uint64_t saveTime(const model::DocumentProperties& p) {
    const std::string& iso = !p.modified.empty() ? p.modified : p.created;
    std::int64_t seconds = 0;
    GsfTimestamp* ts = gsf_timestamp_new();
    if (!iso.empty() && gsf_timestamp_load_from_string(ts, iso.c_str())) seconds = ts->timet;
    gsf_timestamp_free(ts);
    if (seconds == 0) seconds = static_cast<std::int64_t>(std::time(nullptr));
    return static_cast<std::uint64_t>(seconds + 11644473600LL) * 10000000ULL;
}

// The order in which Publisher 2010 creates the entries of a new file.
const std::vector<std::u16string> kCreationOrder = {
    u"Objects", u"Quill", u"Quill/QuillSub", u"Escher", u"Escher/EscherStm", u"Quill/QuillSub/\001CompObj",
    u"VBA", u"Envelope", u"\003Internal", u"Contents", u"Escher/EscherDelayStm", u"Quill/QuillSub/CONTENTS",
    u"\001CompObj", u"\005SummaryInformation", u"\005DocumentSummaryInformation"};

} // namespace

void writeOleFile(const std::filesystem::path& path, const PubStreams& streams,
                  const model::DocumentProperties& properties) {
    static std::once_flag init;
    std::call_once(init, [] { gsf_init(); });

    GError* error = nullptr;
    // libgsf writes to a temporary file beside the target and renames it
    // when closed, so a failed write leaves no partial file behind.
    GPtr<GsfOutput> sink(gsf_output_stdio_new(utf8Path(path).c_str(), &error));
    if (!sink) {
        std::string message = error && error->message ? error->message : utf8Path(path);
        if (error) g_error_free(error);
        fail(message);
    }
    GPtr<GsfOutfile> root(gsf_outfile_msole_new(sink.get()));
    if (!root) fail("cannot create the compound file");
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), kRootClassId);

    writeStream(root.get(), "\001CompObj", rootCompObj().bytes());
    const std::uint8_t internal[12] = {0x00, 0x00, 0x01, 0x00};
    writeStream(root.get(), "\003Internal", std::vector<std::uint8_t>(internal, internal + 12));
    writeStream(root.get(), "\005SummaryInformation", streams.summary);
    writeStream(root.get(), "\005DocumentSummaryInformation", streams.documentSummary);
    writeStream(root.get(), "Contents", streams.contents.bytes());
    writeStream(root.get(), "Envelope", {});
    {
        auto escher = storage(root.get(), "Escher");
        writeStream(escher.get(), "EscherStm", streams.escher.bytes());
        writeStream(escher.get(), "EscherDelayStm", streams.escherDelay.bytes());
        closeStorage(escher.get());
    }
    closeStorage(storage(root.get(), "Objects").get());
    {
        auto quill = storage(root.get(), "Quill");
        auto sub = storage(quill.get(), "QuillSub");
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(sub.get()), kQuillClassId);
        writeStream(sub.get(), "\001CompObj", quillCompObj().bytes());
        writeStream(sub.get(), "CONTENTS", streams.quill.bytes());
        closeStorage(sub.get());
        closeStorage(quill.get());
    }
    closeStorage(storage(root.get(), "VBA").get());
    if (!gsf_output_close(GSF_OUTPUT(root.get()))) fail("cannot finish the compound file");
    if (!gsf_output_is_closed(sink.get()) && !gsf_output_close(sink.get())) fail("cannot close the file");
    root.reset();
    sink.reset();
    rewriteDirectory(path, DirectoryLayout{kCreationOrder, saveTime(properties)});
}

} // namespace fq::pub
