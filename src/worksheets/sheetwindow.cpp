#include "worksheets/sheetwindow.h"

#include "core/extras.h"
#include "drawing/surface.h"
#include "program/program.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/twips.h"
#include "worksheets/schriften.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSettings>

namespace sheet {

QString defaultFamily() {
    static const QString family = [] {
        for (const char *f : {"Andika", "DejaVu Sans"})
            if (QFontDatabase::hasFamily(QLatin1String(f)))
                return QString::fromLatin1(f);
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

double pointsForXHeight(const QString &family, int xHeightTw, bool bold) {
    // Measured large, where the font's own proportions show undisturbed.
    constexpr int kProbe = 1000;
    QFont f(family);
    f.setPixelSize(kProbe);
    f.setBold(bold);
    double xh = QFontMetricsF(f).xHeight();
    if (xh <= 0)
        xh = kProbe / 2.0;
    return xHeightTw * kProbe / xh / 20.0;
}

QRect fitted(const QSize &natural, const QRect &box) {
    if (natural.isEmpty() || box.isEmpty())
        return box;
    const QSize size = natural.scaled(box.size(), Qt::KeepAspectRatio);
    return QRect(box.left() + (box.width() - size.width()) / 2,
                 box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
}

QSettings &userSettings() {
    static QSettings s(Extras::usableFile(Extras::userFilePath()), QSettings::IniFormat);
    return s;
}

} // namespace sheet

// --- SheetPreview -----------------------------------------------------------

SheetPreview::SheetPreview(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

double SheetPreview::scale() const {
    const double paperW = sheet::tw(sheet::kWidthMm + 2 * sheet::kMarginMm);
    const double paperH = sheet::tw(sheet::kHeightMm + 2 * sheet::kMarginMm);
    return qMin(width() / paperW, height() / paperH) * devicePixelRatioF();
}

QPointF SheetPreview::origin() const {
    const double k = scale() / devicePixelRatioF();
    return QPointF(sheet::tw(sheet::kMarginMm) * k, sheet::tw(sheet::kMarginMm) * k);
}

void SheetPreview::draw(const std::function<void(Surface &)> &routine) {
    const qreal dpr = devicePixelRatioF();
    QImage img((QSizeF(size()) * dpr).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(QColor(160, 160, 160));
    {
        QPainter p(&img);
        p.scale(1 / dpr, 1 / dpr); // device pixels
        p.scale(scale(), scale());
        const int margin = sheet::tw(sheet::kMarginMm);
        p.fillRect(QRect(0, 0, sheet::widthTw() + 2 * margin, sheet::heightTw() + 2 * margin),
                   Qt::white);
        p.translate(margin, margin);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        PainterSurface s(&p);
        if (routine)
            routine(s);
    }
    m_image = img;
    update();
}

void SheetPreview::paintEvent(QPaintEvent *) {
    QPainter p(this);
    if (m_image.isNull())
        p.fillRect(rect(), QColor(160, 160, 160));
    else
        p.drawImage(QPointF(0, 0), m_image);
}

void SheetPreview::mousePressEvent(QMouseEvent *e) {
    // Taken, so that the release comes here too.
    e->accept();
}

void SheetPreview::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton || !rect().contains(e->position().toPoint()))
        return;
    const double k = scale() / devicePixelRatioF();
    const QPointF at = e->position() - origin();
    if (k > 0)
        emit clicked(QPoint(qRound(at.x() / k), qRound(at.y() / k)));
}

// --- SheetWindow ------------------------------------------------------------

SheetWindow::SheetWindow(Program &program, const Setup &setup)
    : Screen(program, setup.clientWidth, setup.clientHeight, setup.caption, QColor(192, 192, 255)),
      m_program(program), m_setup(setup), m_family(sheet::defaultFamily()) {
    const int band = setup.clientHeight - 780;
    Shape1 = controls::shape(this, QColor(128, 128, 255), 0, band, setup.clientWidth + 120, 900);
    Picture1 = new SheetPreview(this);
    Picture1->setAccessibleName(QStringLiteral("Vorschau"));
    Command1 = bandButton(QStringLiteral("Abbruch . . ."), 120, 1935);
    Command4 = bandButton(QStringLiteral("H i l f e . . ."), 2220, 1935);
    Command8 = bandButton(QStringLiteral("Ablage . . ."), 4320, 1455);
    Command5 = bandButton(QStringLiteral("Drucken . . ."), 5880, 1455);
    Command2 = bandButton(QStringLiteral("Schriftart . . ."), 7440, 1695);
    KALIMBO_NAME(Shape1);
    KALIMBO_NAME(Picture1);
    KALIMBO_NAME(Command1);
    KALIMBO_NAME(Command4);
    KALIMBO_NAME(Command8);
    KALIMBO_NAME(Command5);
    KALIMBO_NAME(Command2);

    connect(Command1, &QPushButton::clicked, this, &SheetWindow::back);
    connect(Command4, &QPushButton::clicked, this, &SheetWindow::help);
    connect(Command8, &QPushButton::clicked, this, &SheetWindow::copyToClipboard);
    connect(Command5, &QPushButton::clicked, this, &SheetWindow::printPage);
    connect(Command2, &QPushButton::clicked, this, &SheetWindow::chooseFont);
    connect(&program.events(), &ProgramEvents::syllablesReady, this, [this] {
        if (isVisible())
            vorschau();
    });
}

SheetWindow::~SheetWindow() = default;

QPushButton *SheetWindow::bandButton(const QString &text, int left, int width) {
    QPushButton *b = controls::button(this, text, left, m_setup.clientHeight - 660, width, 375);
    b->setFont(controls::msSansSerif(9.75, true));
    return b;
}

void SheetWindow::activated() {
    if (m_choosing) {
        m_choosing = false;
        if (auto *chooser = qobject_cast<schriften *>(m_program.existing(ScreenId::Schriften))) {
            if (const QString f = chooser->chosenFamily(); !f.isEmpty())
                storeFamily(f);
        }
    }
    refill();
}

void SheetWindow::useFamily(const QString &wanted) {
    const QString family = wanted.isEmpty() ? QStringLiteral("Andika") : wanted;
    if (QFontDatabase::hasFamily(family)) {
        m_family = family;
        return;
    }
    m_family = sheet::defaultFamily();
    if (m_missingTold.contains(family))
        return;
    m_missingTold << family;
    m_program.dialogs().message(
        QStringLiteral("Die Schrift „") + family +
            QStringLiteral("“ ist an diesem Rechner nicht "
                           "eingerichtet.\rDas Blatt wird in der Schrift „") +
            m_family + QStringLiteral("“ geschrieben.\r"),
        m_setup.caption, Dialogs::Information);
}

void SheetWindow::keep(const std::function<void(QSettings &)> &write) {
    QSettings &s = sheet::userSettings();
    write(s);
    s.sync();
    if (s.status() == QSettings::NoError || m_unsavedTold)
        return;
    m_unsavedTold = true;
    m_program.dialogs().message(
        QStringLiteral("Die Einstellungen des Arbeitsblatts können nicht gespeichert werden;\r"
                       "beim nächsten Öffnen gelten wieder die vorigen.\r") +
            QDir::toNativeSeparators(Extras::userFilePath()) + QStringLiteral("\r"),
        m_setup.caption, Dialogs::Warning);
}

Picture SheetWindow::picture(const QString &entry) const {
    return m_prepared.picture(entry);
}

void SheetWindow::decodeAhead(double pixelsPerTwip, bool keep) {
    m_prepared.decode([this](Surface &plan) { drawSheet(plan, false); }, pixelsPerTwip, keep);
}

void SheetWindow::vorschau() {
    decodeAhead(Picture1->scale(), true);
    Picture1->draw([this](Surface &s) { drawSheet(s, false); });
    m_prepared.clear();
}

QImage SheetWindow::previewImage() const {
    return Picture1->image();
}

QImage SheetWindow::render(int dpi) const {
    const double k = dpi / 1440.0;
    QImage img(qRound(sheet::widthTw() * k), qRound(sheet::heightTw() * k), QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    p.scale(k, k);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    PainterSurface s(&p);
    drawSheet(s, false);
    return img;
}

void SheetWindow::copyToClipboard() {
    // A page a teacher can paste and print: 150 dpi, not the small preview.
    handover::copyPage(m_program, render(150));
}

void SheetWindow::printPage() {
    QString confirmTitle = m_setup.caption;
    confirmTitle.insert(confirmTitle.size() - 1, QStringLiteral(" drucken"));
    if (!handover::printerConfirmed(m_program, confirmTitle) || !readyToPrint())
        return;
    const printing::Outcome out = printTarget(m_setup.caption, m_setup.pdfStem, [this](Surface &s) {
        s.setPrintPosition(0, 0);
        s.setTextColour(Qt::black);
        s.setDrawColour(Qt::black);
        s.setLineWidth(0);
        // Paper-sized images are too large to keep after the page.
        if (const double ppt = s.paperPixelsPerTwip(); ppt > 0)
            decodeAhead(ppt, false);
        drawSheet(s, true);
        m_prepared.clear();
    });
    handover::reportPrinted(m_program, out, m_setup.closingText, m_setup.caption);
}

void SheetWindow::help() {
    handover::showHelp(m_program, m_setup.helpTitle, m_setup.helpLines);
}

void SheetWindow::chooseFont() {
    m_choosing = true;
    if (!handover::openFontChooser(m_program, this))
        m_choosing = false;
}

void SheetWindow::back() {
    m_program.leave(this);
    if (goBack)
        goBack();
}
