// settings.xml: even and odd headers, note numbering and endnote position.
#include "publishing/docx/SettingsParser.h"

#include "publishing/docx/PropertyParser.h"
#include "publishing/docx/XmlUtil.h"

namespace fq::docx {

Settings parseSettings(const pugi::xml_node& root) {
    Settings s;
    s.evenAndOddHeaders = xml::onOff(root, "evenAndOddHeaders").value_or(false);
    const pugi::xml_node footnotes = xml::child(root, "footnotePr");
    parseNoteProps(footnotes, s.footnoteFormat, s.footnoteStart, s.footnoteRestart);
    const pugi::xml_node endnotes = xml::child(root, "endnotePr");
    parseNoteProps(endnotes, s.endnoteFormat, s.endnoteStart, s.endnoteRestart);
    s.endnotePosition = xml::text(xml::child(endnotes, "pos"), "val");
    return s;
}

} // namespace fq::docx
