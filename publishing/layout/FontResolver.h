// Picks the installed font that stands in for a document's font when text is
// measured, and hands out ready-made QFonts for character properties. The
// document keeps its own font names; only measuring uses the substitutes.
#pragma once

#include "publishing/model/Document.h"

#include <QFont>
#include <QString>

#include <string>
#include <unordered_map>

namespace fq::layout {

class FontResolver {
public:
    FontResolver();

    // The installed family used to measure text set in the named font.
    const QString& substituteFamily(const std::string& documentFont);

    // Fonts are made kUnitsPerPoint pixels per point: the font system rounds
    // pixel sizes to whole pixels, which at one pixel per point would measure
    // 9.5-point text as 10-point text. Every length the text layout reports
    // for these fonts is in these units.
    static constexpr double kUnitsPerPoint = 16.0;

    // A font for the properties, kUnitsPerPoint pixels per point of its size.
    const QFont& font(const model::CharProps& props);

    // How a single line of the font is set, in ems: the room above the
    // baseline (the line gap included) and below it. The horizontal-header
    // metrics with their line gap (for the metric-compatible substitutes of
    // Office's fonts these add up to the Windows metrics Word uses), or the
    // typographic ones when the font asks for them.
    struct LineMetrics {
        double ascent = 0.0;
        double descent = 0.0;
    };
    LineMetrics lineMetrics(const QFont& font);

    // The font size actually measured for the properties (raised and
    // lowered text is set smaller).
    static double effectiveSizePt(const model::CharProps& props);

    // The process-wide resolver; the layout runs on the GUI thread only.
    static FontResolver& instance();

private:
    QString pickFamily(const std::string& documentFont) const;

    double pointPerPixel_ = 1.0;            // point size that gives one pixel per point
    std::unordered_map<std::string, QString> families_;
    std::unordered_map<std::string, QFont> fonts_;
    std::unordered_map<QString, LineMetrics> metrics_;   // by family and style
};

// Lower-cases and trims a font name for table look-ups ("Times New Roman").
std::string normalizedFontName(const std::string& name);

} // namespace fq::layout
