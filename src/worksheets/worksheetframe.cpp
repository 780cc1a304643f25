#include "worksheets/worksheetframe.h"

#include "core/nouns.h"
#include "core/pages.h"
#include "drawing/surface.h"
#include "drawing/wordstrip.h"
#include "program/program.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/imageview.h"
#include "ui/twips.h"
#include "worksheets/schriften.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

QPushButton *frameButton(QWidget *parent, const QString &text, int l, int t, int w, int h) {
    QPushButton *b = controls::button(parent, text, l, t, w, h);
    b->setFont(controls::msSansSerif(9.75, true));
    return b;
}

} // namespace

QStringList exchangeHelpLines() {
    return {QStringLiteral("Um Bilder auszutauschen, markieren Sie links das Quellbild"),
            QStringLiteral("und rechts das zu wechselnde Zielbild und klicken dann"),
            QStringLiteral("auf den Doppelpfeil zwischen den Bildern. Die Liste wird"),
            QStringLiteral("dann neu zusammengestellt und die Anzeige aktualisiert.")};
}

WorksheetFrame::WorksheetFrame(Program &program, const Setup &setup)
    : Screen(program, 10815, setup.clientHeight, setup.caption, QColor(192, 192, 255)),
      m_program(program), m_setup(setup) {
    m_page.family = setup.previewFamily;
    Shape1 = controls::shape(this, QColor(128, 128, 255), 0, 6960, 10935, 735);

    Image1 = new ImageView(this);
    Image1->setAccessibleName(QStringLiteral("Bild"));
    twips::place(Image1, 120, 120, 1935, 1695);
    Command3 = frameButton(this, QStringLiteral(">>"), 1920, 720, 615, 495);
    Image2 = new ImageView(this);
    Image2->setAccessibleName(QStringLiteral("Bild auf dem Blatt"));
    twips::place(Image2, 2400, 120, 1935, 1695);
    Command3->raise();

    Bilder1 = controls::list(this, 120, 1920, 1935, 4860);
    Liste1 = controls::list(this, 2400, 1920, 1935, setup.listeHeight);
    Bilder1->setAccessibleName(QStringLiteral("Bilder"));
    Liste1->setAccessibleName(QStringLiteral("Blatt"));

    Picture1 = new Canvas(this);
    Picture1->setAccessibleName(QStringLiteral("Vorschau"));
    twips::place(Picture1, 4680, 120, 5415, 6615);
    Picture1->setBackground(Qt::white);
    Picture1->surface().setFont(m_page.family, setup.previewPoints, setup.previewBold);

    Picture2 = new Canvas(this);
    Picture2->setAccessibleName(QStringLiteral("Seiten"));
    twips::place(Picture2, 10080, 120, 615, 6615);
    Picture2->setBackground(QColor(192, 192, 255));
    Picture2->surface().setFont(QStringLiteral("MS Sans Serif"), 9.75, true);

    Command1 = frameButton(this, QStringLiteral("Abbruch . . ."), 120, 7080, 1935, 375);
    Command4 = frameButton(this, QStringLiteral("H i l f e . . ."), 2400, 7080, 1935, 375);
    Command8 = frameButton(this, QStringLiteral("Ablage . . ."), 4680, 7080, 1455, 375);
    Command5 = frameButton(this, QStringLiteral("Drucken . . ."), 6240, 7080, 1455, 375);
    Command2 = frameButton(this, QStringLiteral("Schriftart . . ."), 7800, 7080, 1455, 375);
    Command7 = frameButton(this, QStringLiteral("<<"), 9360, 7080, 615, 375);
    Command6 = frameButton(this, QStringLiteral(">>"), 10080, 7080, 615, 375);

    Label1 = controls::label(this, QStringLiteral("0"), 11280, 7080, 495, 255);

    KALIMBO_NAME(Shape1);
    KALIMBO_NAME(Image1);
    KALIMBO_NAME(Command3);
    KALIMBO_NAME(Image2);
    KALIMBO_NAME(Bilder1);
    KALIMBO_NAME(Liste1);
    KALIMBO_NAME(Picture1);
    KALIMBO_NAME(Picture2);
    KALIMBO_NAME(Command1);
    KALIMBO_NAME(Command4);
    KALIMBO_NAME(Command8);
    KALIMBO_NAME(Command5);
    KALIMBO_NAME(Command2);
    KALIMBO_NAME(Command7);
    KALIMBO_NAME(Command6);
    KALIMBO_NAME(Label1);

    connect(Command6, &QPushButton::clicked, this, &WorksheetFrame::nextPage);
    connect(Command7, &QPushButton::clicked, this, &WorksheetFrame::previousPage);
    connect(Command3, &QPushButton::clicked, this, &WorksheetFrame::exchange);
    connect(Command8, &QPushButton::clicked, this, &WorksheetFrame::copyToClipboard);
    connect(Command5, &QPushButton::clicked, this, &WorksheetFrame::printPage);
    connect(Command4, &QPushButton::clicked, this, &WorksheetFrame::help);
    connect(Command2, &QPushButton::clicked, this, &WorksheetFrame::chooseFont);
    connect(Command1, &QPushButton::clicked, this, &WorksheetFrame::back);
    connect(Bilder1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Image1->setPicture(Picture::load(m_pictures.value(row)));
    });
    connect(Liste1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            cardSelected(row);
    });
    connect(&program.events(), &ProgramEvents::syllablesReady, this, [this] {
        if (isVisible() && !m_page.cards.isEmpty())
            drawPreview();
    });
}

WorksheetFrame::~WorksheetFrame() = default;

int WorksheetFrame::cardCount(const WorksheetPage &page) const {
    return qMin(int(page.cards.size()), m_setup.pageSize);
}

int WorksheetFrame::selectedCard() const {
    return Liste1->currentRow();
}

void WorksheetFrame::selectCard(int k) {
    Liste1->setCurrentRow(k);
}

Picture WorksheetFrame::picture(const QString &entry) const {
    return m_prepared.picture(entry);
}

void WorksheetFrame::activated() {
    m_pictures = m_program.pictureFiles();
    Bilder1->clear();
    Bilder1->addItems(m_pictures);
    // Every activation starts again at the first page.
    m_page.start = -m_setup.pageSize;
    nextPage();
}

void WorksheetFrame::nextPage() {
    Picture2->clear();
    fillPage(pages::next(m_page.start, int(m_pictures.size()), m_setup.pageSize));
}

void WorksheetFrame::previousPage() {
    Picture2->clear();
    fillPage(pages::previous(m_page.start, int(m_pictures.size()), m_setup.pageSize));
}

void WorksheetFrame::fillPage(int p) {
    m_page.start = p;
    m_page.cards = m_pictures.mid(qMax(p, 0), m_setup.pageSize);
    m_page.sounds.clear();
    pageFilled(m_page);
    Label1->setText(QString::number(p));
    {
        const QSignalBlocker block(Liste1);
        Liste1->clear();
        Liste1->addItems(m_page.cards);
    }
    drawNumbers(Picture2->surface());
    vorschau();
}

void WorksheetFrame::drawNumbers(Surface &strip) const {
    for (int r = 1; r <= m_page.cards.size(); ++r)
        strip.text(10, r * m_setup.stripStep - m_setup.stripOffset,
                   nouns::signedNumber(m_page.start + r));
}

void WorksheetFrame::cardSelected(int k) {
    if (k >= 0 && k < m_page.cards.size())
        Image2->setPicture(Picture::load(m_page.cards[k]));
}

void WorksheetFrame::printNoun(Surface &s, int x, int y, const QString &noun, bool paper,
                               int bottom) const {
    if (const auto syllables = m_program.syllablesOf(noun, paper))
        wordstrip::printSyllables(s, x, y, noun, *syllables, bottom);
    else
        s.text(x, y, noun);
}

void WorksheetFrame::showDrawnSelection() {
    if (const int last = cardCount(m_page) - 1; last >= 0) {
        {
            const QSignalBlocker block(Liste1);
            Liste1->setCurrentRow(last);
        }
        // As a click would, also when the card was selected already.
        cardSelected(last);
    }
    selectFirstPicture();
}

void WorksheetFrame::selectFirstPicture() {
    if (m_pictures.isEmpty())
        return;
    {
        const QSignalBlocker block(Bilder1);
        Bilder1->setCurrentRow(0);
    }
    Image1->setPicture(Picture::load(m_pictures.first()));
}

void WorksheetFrame::vorschau() {
    drawPreview();
    showDrawnSelection();
}

void WorksheetFrame::drawPreview() {
    // A font taken in the chooser stays until another is taken.
    if (auto *chooser = qobject_cast<schriften *>(m_program.existing(ScreenId::Schriften))) {
        if (const QString family = chooser->chosenFamily(); !family.isEmpty())
            m_page.family = family;
    }
    Surface &s = Picture1->surface();
    s.setFont(m_page.family, m_setup.previewPoints, m_setup.previewBold);
    m_prepared.decode([this](Surface &plan) { previewRoutine(plan, m_page); },
                      1.0 / twips::perPixel, true);
    Picture1->clear();
    Picture1->beginBatch();
    previewRoutine(s, m_page);
    Picture1->endBatch();
    m_prepared.clear();
}

void WorksheetFrame::exchange() {
    const int src = Bilder1->currentRow();
    const int k = Liste1->currentRow();
    if (src < 0 || src >= m_pictures.size() || k < 0 || k >= m_page.cards.size())
        return;
    const QString entry = m_pictures[src];
    if (m_page.cards.contains(entry)) {
        m_program.dialogs().message(QStringLiteral("Das Bild ist schon vorhanden!\r\r"),
                                    QStringLiteral("Bild einfügen"));
        return;
    }
    m_page.cards[k] = entry;
    Liste1->item(k)->setText(entry);
    vorschau();
}

void WorksheetFrame::copyToClipboard() {
    handover::copyPage(m_program, Picture1->snapshot());
}

void WorksheetFrame::printPage() {
    if (printPages({m_page}))
        showDrawnSelection();
}

void WorksheetFrame::printEntries(const QStringList &entries) {
    QList<WorksheetPage> pages;
    for (qsizetype i = 0; i < entries.size(); i += m_setup.pageSize) {
        WorksheetPage page;
        page.start = int(i);
        page.cards = entries.mid(i, m_setup.pageSize);
        page.family = m_page.family; // in the font the sheet prints in
        pageFilled(page);
        pages << page;
    }
    printPages(pages);
}

bool WorksheetFrame::printPages(const QList<WorksheetPage> &pages) {
    if (pages.isEmpty() || !handover::printerConfirmed(m_program, m_setup.confirmTitle))
        return false;
    const double points = m_setup.printPoints;
    printing::Outcome out;
    QStringList files; // the PDFs written for want of a printer
    for (const WorksheetPage &page : pages) {
        out = printTarget(m_setup.caption, m_setup.pdfStem, [this, &page, points](Surface &s) {
            s.setPrintPosition(0, 0);
            s.setFont(page.family, points); // regular: no weight or style is set
            s.setTextColour(Qt::black);
            s.setDrawColour(Qt::black);
            s.setLineWidth(0);
            // Paper-sized images are too large to keep after the page.
            if (const double ppt = s.paperPixelsPerTwip(); ppt > 0)
                m_prepared.decode([this, &page](Surface &plan) { pageRoutine(plan, page); }, ppt,
                                  false);
            pageRoutine(s, page);
            m_prepared.clear();
        });
        if (!out.ok())
            break;
        if (out.kind == printing::Outcome::SavedAsPdf)
            files << out.file;
    }
    handover::reportPrinted(m_program, out, m_setup.closingText, m_setup.closingTitle, files);
    return true;
}

void WorksheetFrame::help() {
    handover::showHelp(m_program, m_setup.helpTitle, m_setup.helpLines);
}

void WorksheetFrame::chooseFont() {
    // Opens beside this window, which stays visible.
    handover::openFontChooser(m_program, this);
}

void WorksheetFrame::back() {
    Picture1->clear();
    Image1->clearPicture();
    Bilder1->clear();
    Liste1->clear();
    m_pictures.clear();
    m_page.cards.clear();
    m_page.sounds.clear();
    m_program.leave(this);
}
