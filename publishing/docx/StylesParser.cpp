// styles.xml, theme1.xml and the font table.
#include "publishing/docx/StylesParser.h"

#include "publishing/docx/PropertyParser.h"
#include "publishing/docx/TableParser.h"
#include "publishing/docx/XmlUtil.h"

#include <cstdlib>

namespace fq::docx {

Styles parseStyles(const pugi::xml_node& root) {
    Styles s;
    const Relationships noRels;
    if (pugi::xml_node defaults = xml::child(root, "docDefaults")) {
        s.defaultRunProps = parseRunProps(xml::child(xml::child(defaults, "rPrDefault"), "rPr"));
        s.defaultParaProps = parseParaProps(xml::child(xml::child(defaults, "pPrDefault"), "pPr"), noRels);
    }
    if (pugi::xml_node latent = xml::child(root, "latentStyles")) {
        auto flag = [&](const char* name) -> std::optional<bool> {
            pugi::xml_attribute a = xml::attr(latent, name);
            if (!a) return std::nullopt;
            return a.as_bool() || std::string_view(a.value()) == "on";
        };
        s.latent.defLockedState = flag("defLockedState");
        s.latent.defSemiHidden = flag("defSemiHidden");
        s.latent.defUnhideWhenUsed = flag("defUnhideWhenUsed");
        s.latent.defQFormat = flag("defQFormat");
        s.latent.defUIPriority = xml::int32(latent, "defUIPriority");
        s.latent.count = xml::int32(latent, "count");
        for (pugi::xml_node e = latent.first_child(); e; e = e.next_sibling())
            if (xml::is(e, "lsdException")) s.latent.exceptions.push_back(xml::text(e, "name").value_or(""));
    }
    for (pugi::xml_node n = root.first_child(); n; n = n.next_sibling()) {
        if (!xml::is(n, "style")) continue;
        Style st;
        st.id = xml::text(n, "styleId").value_or("");
        st.type = xml::text(n, "type").value_or("paragraph");
        st.name = xml::text(xml::child(n, "name"), "val").value_or(st.id);
        st.aliases = xml::text(xml::child(n, "aliases"), "val").value_or("");
        st.basedOn = xml::text(xml::child(n, "basedOn"), "val");
        if (st.basedOn && *st.basedOn == st.id) st.basedOn.reset();
        if (pugi::xml_attribute d = xml::attr(n, "default")) st.isDefault = d.as_bool() || std::string_view(d.value()) == "on";
        st.paraProps = parseParaProps(xml::child(n, "pPr"), noRels);
        st.paraProps.styleId.reset();
        st.runProps = parseRunProps(xml::child(n, "rPr"));
        st.runProps.styleId.reset();
        if (st.type == "table") parseTableStyle(n, st);
        if (st.isDefault && st.type == "table" && !s.defaultTableStyle) s.defaultTableStyle = st.id;
        if (st.isDefault && st.type == "paragraph" && !s.defaultParagraphStyle) s.defaultParagraphStyle = st.id;
        if (st.isDefault && st.type == "character" && !s.defaultCharacterStyle) s.defaultCharacterStyle = st.id;
        // The first definition of an id counts, as in Word.
        s.styles.emplace(st.id, std::move(st));
    }
    return s;
}

ThemeFonts parseThemeFonts(const pugi::xml_node& root) {
    ThemeFonts f;
    pugi::xml_node scheme = xml::child(xml::child(root, "themeElements"), "fontScheme");
    auto read = [&](const char* which, std::string& latin, std::string& ea, std::string& cs) {
        pugi::xml_node n = xml::child(scheme, which);
        latin = xml::text(xml::child(n, "latin"), "typeface").value_or("");
        ea = xml::text(xml::child(n, "ea"), "typeface").value_or("");
        cs = xml::text(xml::child(n, "cs"), "typeface").value_or("");
    };
    read("majorFont", f.majorLatin, f.majorEastAsia, f.majorCs);
    read("minorFont", f.minorLatin, f.minorEastAsia, f.minorCs);
    return f;
}

std::set<std::string> parseSymbolCharsetFonts(const pugi::xml_node& root) {
    std::set<std::string> fonts;
    for (pugi::xml_node f = root.first_child(); f; f = f.next_sibling()) {
        if (!xml::is(f, "font")) continue;
        const auto name = xml::text(f, "name");
        const auto charset = xml::text(xml::child(f, "charset"), "val");
        if (name && charset && std::strtoul(charset->c_str(), nullptr, 16) == 2) fonts.insert(*name);
    }
    return fonts;
}

} // namespace fq::docx
