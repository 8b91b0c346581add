// Table counts of packages and of documents read.
#include "TableCount.h"

#include <pugixml.hpp>
#include <zip.h>

#include <string>
#include <string_view>

namespace fq::test {

namespace {

std::string_view local(const pugi::xml_node& n) {
    std::string_view name = n.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node childNamed(const pugi::xml_node& n, std::string_view name) {
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && local(c) == name) return c;
    return {};
}

// A row of this table (not of one nested in it) that was not deleted.
bool hasLiveRow(const pugi::xml_node& n) {
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element || local(c) == "tbl") continue;
        if (local(c) == "tr" && !childNamed(childNamed(c, "trPr"), "del")) return true;
        if (local(c) != "tr" && hasLiveRow(c)) return true;
    }
    return false;
}

int tablesIn(const pugi::xml_node& n) {
    int count = 0;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view name = local(c);
        if (name == "Fallback" || name == "del" || name == "moveFrom") continue;
        if (name == "tbl") count += hasLiveRow(c) ? 1 : 0;
        else count += tablesIn(c);
    }
    return count;
}

std::optional<std::string> entry(zip_t* z, const char* name) {
    zip_stat_t st;
    if (zip_stat(z, name, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) return std::nullopt;
    zip_file_t* f = zip_fopen(z, name, 0);
    if (!f) return std::nullopt;
    std::string data(static_cast<std::size_t>(st.size), '\0');
    const zip_int64_t read = zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    if (read != static_cast<zip_int64_t>(st.size)) return std::nullopt;
    return data;
}

int notesTables(zip_t* z, const char* part) {
    const auto xml = entry(z, part);
    pugi::xml_document d;
    if (!xml || !d.load_buffer(xml->data(), xml->size())) return 0;
    int count = 0;
    for (pugi::xml_node n = d.document_element().first_child(); n; n = n.next_sibling()) {
        std::string type;
        for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
            const std::string_view name = a.name();
            if (name == "type" || (name.size() > 5 && name.ends_with(":type"))) type = a.value();
        }
        if (type.empty() || type == "normal") count += tablesIn(n);
    }
    return count;
}

// The tables of the flow, and those of text boxes, which stay in their shapes.
void addTables(const std::vector<model::Block>& blocks, int& count) {
    for (const auto& b : blocks) {
        if (std::holds_alternative<model::Table>(b)) ++count;
        else if (const auto* shape = std::get_if<model::DrawingShape>(&b)) addTables(shape->text, count);
    }
}

} // namespace

std::optional<int> countPackageTables(const std::filesystem::path& docx) {
    int error = 0;
    zip_t* z = zip_open(docx.string().c_str(), ZIP_RDONLY, &error);
    if (!z) return std::nullopt;
    std::optional<int> result;
    pugi::xml_document d;
    if (const auto xml = entry(z, "word/document.xml"); xml && d.load_buffer(xml->data(), xml->size()))
        result = tablesIn(d.document_element()) + notesTables(z, "word/footnotes.xml") +
                 notesTables(z, "word/endnotes.xml");
    zip_discard(z);
    return result;
}

int countModelTables(const model::Document& document) {
    int count = 0;
    for (const auto& s : document.sections) addTables(s.blocks, count);
    return count;
}

} // namespace fq::test
