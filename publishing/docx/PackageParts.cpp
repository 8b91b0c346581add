// Content types, relationships and core properties.
#include "publishing/docx/PackageParts.h"

#include "publishing/docx/XmlUtil.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace fq::docx {

std::string relationshipsPartName(const std::string& sourcePart) {
    auto slash = sourcePart.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : sourcePart.substr(0, slash + 1);
    std::string file = slash == std::string::npos ? sourcePart : sourcePart.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

namespace {

std::string percentDecode(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

} // namespace

std::string resolveTarget(const std::string& sourcePart, const std::string& rawTarget) {
    std::string target = percentDecode(rawTarget);
    std::replace(target.begin(), target.end(), '\\', '/');
    std::string combined;
    if (!target.empty() && target.front() == '/') {
        combined = target.substr(1);
    } else {
        auto slash = sourcePart.rfind('/');
        combined = (slash == std::string::npos ? std::string() : sourcePart.substr(0, slash + 1)) + target;
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= combined.size()) {
        auto end = combined.find('/', start);
        if (end == std::string::npos) end = combined.size();
        std::string seg = combined.substr(start, end - start);
        if (seg == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!seg.empty() && seg != ".") {
            parts.push_back(seg);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& p : parts) {
        if (!out.empty()) out += '/';
        out += p;
    }
    return out;
}

Relationships parseRelationships(const pugi::xml_node& root, const std::string& sourcePart) {
    Relationships rels;
    for (pugi::xml_node r = root.first_child(); r; r = r.next_sibling()) {
        if (!xml::is(r, "Relationship")) continue;
        Relationship rel;
        rel.id = xml::text(r, "Id").value_or("");
        rel.type = xml::text(r, "Type").value_or("");
        std::string mode = xml::text(r, "TargetMode").value_or("Internal");
        rel.external = mode == "External";
        std::string target = xml::text(r, "Target").value_or("");
        rel.target = rel.external ? target : resolveTarget(sourcePart, target);
        rels.emplace(rel.id, rel);
    }
    return rels;
}

ContentTypes parseContentTypes(const pugi::xml_node& root) {
    ContentTypes ct;
    for (pugi::xml_node n = root.first_child(); n; n = n.next_sibling()) {
        if (xml::is(n, "Default")) {
            std::string ext = xml::text(n, "Extension").value_or("");
            std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
            ct.defaults[ext] = xml::text(n, "ContentType").value_or("");
        } else if (xml::is(n, "Override")) {
            std::string part = xml::text(n, "PartName").value_or("");
            if (!part.empty() && part.front() == '/') part.erase(0, 1);
            ct.overrides[part] = xml::text(n, "ContentType").value_or("");
        }
    }
    return ct;
}

CoreProperties parseCoreProperties(const pugi::xml_node& root) {
    CoreProperties c;
    auto get = [&](std::string_view name) {
        std::string v = xml::child(root, name).text().get();
        // Trim surrounding white space.
        auto b = v.find_first_not_of(" \t\r\n");
        auto e = v.find_last_not_of(" \t\r\n");
        return b == std::string::npos ? std::string() : v.substr(b, e - b + 1);
    };
    c.title = get("title");
    c.subject = get("subject");
    c.creator = get("creator");
    c.keywords = get("keywords");
    c.description = get("description");
    c.lastModifiedBy = get("lastModifiedBy");
    c.created = get("created");
    c.modified = get("modified");
    return c;
}

bool hasType(const Relationship& rel, std::string_view suffix) {
    const std::string& t = rel.type;
    return t.size() > suffix.size() && t.compare(t.size() - suffix.size(), suffix.size(), suffix) == 0 &&
           t[t.size() - suffix.size() - 1] == '/';
}

} // namespace fq::docx
