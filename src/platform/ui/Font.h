#pragma once

#include <QFont>
#include <QString>

namespace platform::ui {

// A font by PostScript-style name ("HelveticaNeue-Light") and point size. The name's suffix
// gives the weight; the family falls back to what the machine has.
class Font {
public:
    Font() = default;
    static Font fontWithName(const QString& fontName, double pointSize);
    static Font systemFontOfSize(double pointSize);
    // Window titles are set in the system font.
    static Font titleBarFontOfSize(double pointSize) { return systemFontOfSize(pointSize); }
    // The system font's size for controls of the regular size.
    static double systemFontSize() { return 13; }

    const QString& fontName() const { return fontName_; }
    double pointSize() const { return pointSize_; }
    QFont toQFont() const;

    bool operator==(const Font& other) const = default;

private:
    Font(QString fontName, double pointSize);

    QString fontName_;
    double pointSize_ = 0;
};

} // namespace platform::ui
