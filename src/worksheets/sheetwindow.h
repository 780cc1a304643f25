#pragma once
// What the two full-page sheets ("Schreiblinien", "Anlauttabelle") share: a
// preview of the whole A4 page, drawn by the same routine that prints it and
// fills the clipboard; printing through the program's print path with its
// confirmation; help; the font chooser; the default font and what happens
// when a chosen font is missing; and the way back.

#include "drawing/picture.h"
#include "ui/screen.h"
#include "worksheets/handover.h"

#include <QImage>
#include <QStringList>
#include <functional>

class Program;
class Surface;
class QPushButton;
class QSettings;

namespace sheet {

/// The page the sheets are laid out on: A4 less 10 mm margins all round,
/// drawn from the top-left corner of the printable area.
constexpr double kWidthMm = 190;
constexpr double kHeightMm = 277;
/// The paper around it, as the preview shows it.
constexpr double kMarginMm = 10;

/// Millimetres to twips, rounded once (positions are computed in mm).
inline int tw(double mm) {
    return qRound(mm * 1440.0 / 25.4);
}
inline int widthTw() {
    return tw(kWidthMm);
}
inline int heightTw() {
    return tw(kHeightMm);
}

/// The school font the sheets start with, or a plain sans-serif font where
/// it is not installed.
QString defaultFamily();
/// Points for a font whose x-height is `xHeightTw` twips (from the font's
/// own metrics).
double pointsForXHeight(const QString &family, int xHeightTw, bool bold = false);
/// The largest rectangle of the picture's proportions centred in `box`.
QRect fitted(const QSize &natural, const QRect &box);

/// The program's own settings file (never KALIMBO.INI), opened the careful way.
QSettings &userSettings();

} // namespace sheet

/// A page shown whole on its A4 paper, scaled to the widget, drawn by a
/// routine; clicks come back in the page's twips.
class SheetPreview : public QWidget {
    Q_OBJECT
public:
    explicit SheetPreview(QWidget *parent = nullptr);
    void draw(const std::function<void(Surface &)> &routine);
    const QImage &image() const { return m_image; }
    /// Device pixels per twip of the page.
    double scale() const;
    /// Where the page's top-left corner is shown, in the widget's pixels.
    QPointF origin() const;

signals:
    void clicked(QPoint pageTwips);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    QImage m_image;
};

class SheetWindow : public Screen {
    Q_OBJECT
public:
    struct Setup {
        QString caption;
        int clientWidth = 14700;
        int clientHeight = 10500;
        QString helpTitle;
        QStringList helpLines;
        QString closingText;
        /// First part of the fallback PDF's name ("Schreiblinien").
        QString pdfStem;
    };

    SheetWindow(Program &program, const Setup &setup);
    ~SheetWindow() override;

    /// Where the printed page goes: the default printer (or its PDF fallback)
    /// unless a test puts in another target.
    handover::PrintTarget printTarget = handover::defaultPrinter();
    /// Where "Abbruch . . ." goes besides the main menu (the Extras dialog
    /// sets it to come back to itself).
    std::function<void()> goBack;

    /// Draws the page as it stands on any surface, in the page's twips. The
    /// preview, the clipboard and the paper come from here; paper waits for
    /// the syllable patterns.
    virtual void drawSheet(Surface &s, bool paper) const = 0;

    /// The preview as shown.
    QImage previewImage() const;
    /// The page drawn at `dpi`, as the clipboard gets it.
    QImage render(int dpi) const;
    /// The font the page is drawn in.
    QString family() const { return m_family; }

    // The routines behind the buttons.
    void vorschau();
    void copyToClipboard();
    void printPage();
    void help();
    void chooseFont();
    void back();

protected:
    void activated() override;
    /// Takes the program's nouns and settings afresh and draws the preview.
    virtual void refill() = 0;
    /// The teacher took a font in the chooser: keep it.
    virtual void storeFamily(const QString &family) = 0;
    /// Asked after the printer confirmation; false stops printing.
    virtual bool readyToPrint() { return true; }

    /// The font to draw in: `wanted` when it is installed, else the default,
    /// which the teacher is told once.
    void useFamily(const QString &wanted);
    /// Writes settings into our own file; says once when it cannot.
    void keep(const std::function<void(QSettings &)> &write);
    /// The picture of an entry: decoded ahead for the drawing under way, else loaded.
    Picture picture(const QString &entry) const;
    /// A button in the band at the bottom.
    QPushButton *bandButton(const QString &text, int left, int width);

    Program &m_program;
    SheetPreview *Picture1 = nullptr;

private:
    /// The pictures of the page as drawn now, decoded ahead for `pixelsPerTwip`.
    void decodeAhead(double pixelsPerTwip, bool keep);

    QWidget *Shape1 = nullptr;
    QPushButton *Command1 = nullptr; // "Abbruch . . ."
    QPushButton *Command4 = nullptr; // help
    QPushButton *Command8 = nullptr; // clipboard
    QPushButton *Command5 = nullptr; // print
    QPushButton *Command2 = nullptr; // font chooser

    Setup m_setup;
    QString m_family;
    /// Fonts found missing and said so.
    QStringList m_missingTold;
    bool m_unsavedTold = false;
    /// The chooser was opened from here: its font is for this sheet.
    bool m_choosing = false;
    handover::PreparedPictures m_prepared;
};
