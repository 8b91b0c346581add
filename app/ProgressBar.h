// The progress bar: range 0 to 100 and a text of its own shown inside it.
#pragma once

#include <QProgressBar>

namespace fq::app {

class ProgressBar : public QProgressBar {
public:
    explicit ProgressBar(QWidget* parent = nullptr) : QProgressBar(parent)
    {
        setRange(0, 100);
        setTextVisible(true);
        setAlignment(Qt::AlignCenter);
        setValue(0); // a bar that was never set shows no text
    }
    void SetValue(double value) { setValue(static_cast<int>(value + 0.5)); exactValue_ = value; }
    double Value() const { return exactValue_; }
    void SetText(const QString& text)
    {
        text_ = text;
        QString shown = text;
        setFormat(shown.replace(QLatin1Char('%'), QStringLiteral("%%")));
    }
    const QString& Text() const { return text_; }

private:
    QString text_;
    double exactValue_ = 0.0;
};

} // namespace fq::app
