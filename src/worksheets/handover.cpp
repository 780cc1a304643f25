#include "worksheets/handover.h"

#include "drawing/surface.h"
#include "program/program.h"
#include "ui/dialogs.h"
#include "worksheets/schriften.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QSet>
#include <QTransform>
#include <vector>

namespace handover {

PrintTarget defaultPrinter() {
    return [](const QString &doc, const QString &stem, const printing::PageRoutine &page) {
        return printing::printPage(doc, stem, page, QDir::current());
    };
}

bool printerConfirmed(Program &program, const QString &title) {
    return program.option(Option::Druckerausgabe) ||
           program.dialogs().askYesNo(
               QStringLiteral("Der Drucker wurde unter Optionen deaktiviert.\r"
                              "Wollen Sie trotzdem drucken, ist das Gerät ein?\r\r"),
               title, true);
}

void reportPrinted(Program &program, const printing::Outcome &out, const QString &closingText,
                   const QString &title, const QStringList &pdfFiles) {
    if (!out.ok()) {
        program.dialogs().message(QStringLiteral("Die Seite konnte nicht gedruckt werden.\r") +
                                      out.error + QStringLiteral("\r"),
                                  title, Dialogs::Warning);
        return;
    }
    // Without a printer the page is not printed: the closing message would
    // say it is, so the file's message stands in its place (one per file).
    QString text;
    if (out.kind != printing::Outcome::SavedAsPdf) {
        text = closingText + QStringLiteral("\r\r");
    } else if (pdfFiles.size() < 2) {
        text = printing::savedAsPdfText(out);
    } else {
        for (const QString &file : pdfFiles) {
            printing::Outcome saved = out;
            saved.file = file;
            text += printing::savedAsPdfText(saved);
        }
    }
    if (!out.notice.isEmpty())
        text += out.notice + QStringLiteral("\r");
    program.dialogs().message(text, title, Dialogs::Information);
}

void copyPage(Program &program, const QImage &page) {
    QGuiApplication::clipboard()->setImage(page);
    program.dialogs().message(QStringLiteral("Die Seite wurde in die Ablage kopiert.\r"),
                              QStringLiteral("Kalimbo(Ablage)"));
}

void showHelp(Program &program, const QString &title, const QStringList &lines) {
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\r');
    program.dialogs().message(text, title);
}

bool openFontChooser(Program &program, Screen *caller) {
    auto *chooser = qobject_cast<schriften *>(program.screen(ScreenId::Schriften));
    if (!chooser)
        return false;
    chooser->setCaller(caller);
    chooser->showAndActivate();
    return true;
}

void PreparedPictures::decode(const std::function<void(Surface &)> &routine, double pixelsPerTwip,
                              bool keep) {
    m_pictures.clear();
    RecordingSurface plan;
    routine(plan);
    std::vector<Picture::DecodeJob> jobs;
    QStringList entries;
    QSet<QString> seen;
    const QTransform scale = QTransform::fromScale(pixelsPerTwip, pixelsPerTwip);
    for (const RecordingSurface::Op &op : plan.ops) {
        if (op.kind != RecordingSurface::Op::PictureOp || seen.contains(op.text))
            continue;
        seen.insert(op.text);
        const Picture pic = Picture::load(op.text);
        const QRectF device = scale.mapRect(QRectF(op.rect));
        const QSize pixels(qRound(device.width()), qRound(device.height()));
        if (!pic.isNull() && !pic.isVector() && !pixels.isEmpty()) {
            jobs.push_back({pic, pixels});
            entries << op.text;
        }
    }
    // The drawing then takes each picture from here, decoded once at the
    // size it is drawn, whatever the cache keeps meanwhile.
    const std::vector<QImage> images = Picture::decodeAll(jobs, keep);
    for (size_t i = 0; i < jobs.size(); ++i)
        m_pictures.insert(
            entries[qsizetype(i)],
            Picture::fromImage(images[i], jobs[i].picture.naturalTwips(), entries[qsizetype(i)]));
}

Picture PreparedPictures::picture(const QString &entry) const {
    const auto it = m_pictures.constFind(entry);
    return it != m_pictures.constEnd() ? *it : Picture::load(entry);
}

} // namespace handover
