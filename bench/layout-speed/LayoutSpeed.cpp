// Times fq::layout::layOut on synthetic documents of 1 000 to 20 000
// paragraphs (mixed fonts and sizes, some long paragraphs, page breaks and
// pictures), best of three runs each, after one warm-up run that loads the
// fonts.
//
//   QT_QPA_PLATFORM=offscreen <build>/bin/bench_layout
#include "publishing/layout/Layout.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace fq::model;

Document syntheticDocument(int paragraphs) {
    static const char* fonts[] = {"Calibri", "Times New Roman", "Arial", "Cambria", "Courier New"};
    Document doc;
    Section section;
    std::string words;
    for (int i = 0; i < 400; ++i) words += "word" + std::to_string(i % 37) + (i % 11 ? " " : ", ");
    for (int i = 0; i < paragraphs; ++i) {
        Paragraph p;
        const std::size_t length = i % 10 == 0 ? words.size() : 60 + (i * 37) % 400;
        for (int r = 0; r < 3; ++r) {
            Run run;
            run.text = words.substr((i * 13 + r * 101) % 200, length / 3);
            run.props.font = fonts[(i + r) % 5];
            run.props.sizePt = 9.0 + (i + r) % 6;
            run.props.bold = r == 1;
            p.runs.push_back(run);
        }
        p.props.spaceAfterPt = 6.0;
        p.props.firstLineIndentPt = i % 3 ? 0.0 : 18.0;
        section.blocks.push_back(p);
        if (i % 500 == 499) section.blocks.push_back(PageBreak{});
        if (i % 300 == 150) {
            Picture pic;
            pic.format = ImageFormat::Png;
            pic.widthPt = 200.0;
            pic.heightPt = 120.0;
            section.blocks.push_back(pic);
        }
    }
    doc.sections.push_back(section);
    return doc;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    fq::layout::layOut(syntheticDocument(200));   // loads the fonts
    std::printf("%10s %10s %10s %12s\n", "paragraphs", "pages", "best ms", "paragraphs/s");
    for (int n : {1000, 5000, 20000}) {
        const Document doc = syntheticDocument(n);
        double best = 1e30;
        std::size_t pages = 0;
        for (int run = 0; run < 3; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const Publication pub = fq::layout::layOut(doc);
            const auto end = std::chrono::steady_clock::now();
            best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
            pages = pub.pages.size();
        }
        std::printf("%10d %10zu %10.1f %12.0f\n", n, pages, best, n / (best / 1000.0));
    }
    return 0;
}
