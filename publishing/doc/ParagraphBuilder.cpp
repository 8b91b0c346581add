// Building model paragraphs run by run.
#include "publishing/doc/ParagraphBuilder.h"

#include "publishing/doc/TextEncoding.h"

namespace fq::doc {

void ParagraphBuilder::append(const model::CharProps& props, std::u16string_view text, model::FieldKind field,
                              std::size_t serial) {
    append(props, text, FieldRun{field, serial, std::nullopt, {}, -1});
}

void ParagraphBuilder::append(const model::CharProps& props, std::u16string_view text, const FieldRun& field) {
    if (text.empty()) return;
    if (!texts_.empty() && para_.runs.back().props == props && para_.runs.back().field == field.kind &&
        (field.kind == model::FieldKind::None || serials_.back() == field.serial) &&
        para_.runs.back().link == link && !para_.runs.back().picture) {
        texts_.back() += text;
    } else {
        model::Run run{{}, props, field.kind, link};
        run.fieldFormat = field.format;
        run.fieldArgument = field.argument;
        run.note = field.note;
        para_.runs.push_back(std::move(run));
        texts_.emplace_back(text);
        serials_.push_back(field.serial);
    }
}

void ParagraphBuilder::appendPicture(const model::CharProps& props, model::Picture picture) {
    model::Run run{{}, props, model::FieldKind::None, link};
    run.picture = std::make_shared<model::Picture>(std::move(picture));
    para_.runs.push_back(std::move(run));
    texts_.emplace_back();
    serials_.push_back(0);
}

bool ParagraphBuilder::onlySpaces() const {
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (para_.runs[i].field != model::FieldKind::None) return false;
        for (char16_t c : texts_[i])
            if (c != u' ' && c != u'\t') return false;
    }
    return true;
}

void ParagraphBuilder::clearText() {
    texts_.clear();
    serials_.clear();
    para_.runs.clear();
}

void ParagraphBuilder::trimTrailingTab() {
    if (texts_.empty() || texts_.back().empty() || texts_.back().back() != u'\t') return;
    texts_.back().pop_back();
    if (texts_.back().empty()) {
        texts_.pop_back();
        serials_.pop_back();
        para_.runs.pop_back();
    }
}

model::Paragraph ParagraphBuilder::take(const model::CharProps& mark) {
    model::Paragraph p = take();
    if (p.runs.empty()) p.runs.push_back(model::Run{std::string(), mark});
    return p;
}

model::Paragraph ParagraphBuilder::take() {
    for (std::size_t i = 0; i < texts_.size(); ++i) para_.runs[i].text = utf16ToUtf8(texts_[i]);
    model::Paragraph p = std::move(para_);
    para_ = model::Paragraph{};
    para_.props = p.props;
    texts_.clear();
    serials_.clear();
    return p;
}

} // namespace fq::doc
