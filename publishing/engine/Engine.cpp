// The engine facade: picks the reader by content, lays out, saves safely.
#include "publishing/engine/Engine.h"
#include "publishing/model/Budget.h"

#include "publishing/doc/DocReader.h"
#include "publishing/docx/DocxReader.h"
#include "publishing/engine/SafeSave.h"
#include "publishing/engine/Sniff.h"
#include "publishing/layout/Layout.h"
#include "publishing/pub/PubWriter.h"

#include <new>
#include <utility>

namespace fq::engine {

namespace fs = std::filesystem;

namespace {

// Readers report what they cannot use as ConversionError; anything else
// they throw on strange input is the document's damage as far as the user
// can tell, and keeps its own words as the detail.
template <typename Read>
model::Document readWith(Read read, const fs::path& source) {
    try {
        return read(source);
    } catch (const model::ConversionError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        throw model::damaged(e.what());
    }
}

} // namespace

model::Document readDocument(const fs::path& source) {
    const model::BudgetScope budget;
    switch (sniffSource(source)) {
    case SourceKind::Docx:
    case SourceKind::EncryptedDocx:
        return readWith(docx::readDocx, source);
    case SourceKind::Doc:
        return readWith(doc::readDoc, source);
    case SourceKind::OldWord:
        throw model::ConversionError(model::messages::versionNotSupported);
    case SourceKind::NotWord:
        break;
    }
    throw model::ConversionError(model::messages::notAWordDocument);
}

namespace {

// Refuses targets that cannot be written to (see savePublication).
void checkTarget(const fs::path& target, const fs::path& source) {
    if (target.empty()) throw model::ConversionError("No output file was named.");
    if (sameFile(target, source)) {
        throw model::ConversionError("The output file is the source document itself: " + target.string());
    }
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        throw model::ConversionError("The output file is a folder: " + target.string());
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec)) {
        throw model::ConversionError("The output folder does not exist: " + folder.string());
    }
}

int write(const model::Publication& publication, const fs::path& target, const SaveOptions& options) {
    const pub::WriteOptions written{options.linkedFrames};
    saveThroughTemporary(target, [&](const fs::path& temporary) { pub::writePub(publication, temporary, written); });
    return static_cast<int>(publication.pages.size());
}

} // namespace

int savePublication(const model::Document& document, const fs::path& target, const fs::path& source,
                    const SaveOptions& options) {
    checkTarget(target, source);
    const model::BudgetScope budget;
    return write(layout::layOut(document), target, options);
}

int savePublication(model::Document&& document, const fs::path& target, const fs::path& source,
                    const SaveOptions& options) {
    checkTarget(target, source);
    const model::BudgetScope budget;
    const model::Publication publication = layout::layOut(document);
    { const model::Document released = std::move(document); }
    return write(publication, target, options);
}

} // namespace fq::engine
