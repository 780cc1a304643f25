#include "app/classdialog.h"

#include "core/classlist.h"
#include "program/classpictures.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QThreadPool>
#include <QVBoxLayout>

namespace {

constexpr int kIcon = 40;

QPixmap placeholder() {
    QPixmap p(kIcon, kIcon);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawEllipse(QRectF(1, 1, kIcon - 2, kIcon - 2));
    return p;
}

} // namespace

ClassDialog::ClassDialog(const QStringList &names, bool besidePictures, const QString &pictureHome,
                         Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("Klasse"));
    setWindowTitle(QStringLiteral("Kalimbo (Klasse)"));
    setModal(true);
    controls::colourise(this, QColor(128, 255, 255));
    for (const QString &n : names)
        if (const QImage image = classpictures::load(pictureHome, n); !image.isNull())
            m_pictures.insert(n, image);
    auto *box = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Die Namen der Kinder, ein Name in jeder Zeile. "
                                            "Im Namensfeld des Menüs stehen sie dann als "
                                            "Knöpfe; ein Tipp wählt den Namen. Ein Bild je "
                                            "Kind: rechts den Namen wählen, dann „Bild ...“."),
                             this);
    intro->setWordWrap(true);
    intro->setFont(controls::verdana(8.25));
    box->addWidget(intro);
    auto *lists = new QHBoxLayout;
    Namen = new QPlainTextEdit(names.join(QLatin1Char('\n')), this);
    KALIMBO_NAME(Namen);
    Namen->setFont(controls::verdana(9.75, true));
    Namen->setAccessibleName(QStringLiteral("Namen der Kinder"));
    Namen->setMinimumHeight(240);
    lists->addWidget(Namen, 1);
    auto *pictures = new QVBoxLayout;
    Kinder = new QListWidget(this);
    KALIMBO_NAME(Kinder);
    Kinder->setAccessibleName(QStringLiteral("Bilder der Kinder"));
    Kinder->setFont(controls::verdana(8.25, true));
    Kinder->setIconSize(QSize(kIcon, kIcon));
    pictures->addWidget(Kinder, 1);
    auto *pictureButtons = new QHBoxLayout;
    Bild = new QPushButton(QStringLiteral("Bild ..."), this);
    KALIMBO_NAME(Bild);
    OhneBild = new QPushButton(QStringLiteral("Ohne Bild"), this);
    KALIMBO_NAME(OhneBild);
    for (QPushButton *b : {Bild, OhneBild}) {
        b->setFont(controls::verdana(8.25, true));
        b->setEnabled(false);
        pictureButtons->addWidget(b);
    }
    pictures->addLayout(pictureButtons);
    lists->addLayout(pictures, 1);
    box->addLayout(lists);
    NebenDenBildern = new QCheckBox(
        QStringLiteral("Neben den Bildern speichern (Klasse.txt), für jeden PC der Klasse"), this);
    KALIMBO_NAME(NebenDenBildern);
    NebenDenBildern->setFont(controls::verdana(8.25, true));
    NebenDenBildern->setChecked(besidePictures);
    box->addWidget(NebenDenBildern);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("Abbrechen"));
    for (QPushButton *b : {ok, cancel})
        b->setFont(controls::verdana(9.75, true));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    box->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        // A picture still on its way would be lost.
        if (!isBusy())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Namen, &QPlainTextEdit::textChanged, this, &ClassDialog::listChildren);
    connect(Kinder, &QListWidget::currentRowChanged, this, [this](int row) {
        Bild->setEnabled(row >= 0);
        OhneBild->setEnabled(row >= 0 && !pictureOf(selectedName()).isNull());
    });
    connect(Bild, &QPushButton::clicked, this, &ClassDialog::choosePicture);
    connect(OhneBild, &QPushButton::clicked, this, &ClassDialog::removePicture);
    listChildren();
    setFixedWidth(600);
}

ClassDialog::~ClassDialog() = default;

void ClassDialog::listChildren() {
    const QString selected = selectedName();
    const QSignalBlocker quiet(Kinder);
    Kinder->clear();
    for (const QString &n : names()) {
        auto *item = new QListWidgetItem(n, Kinder);
        // Without a picture a pale circle keeps its place.
        const QImage image = pictureOf(n);
        item->setIcon(image.isNull() ? placeholder()
                                     : QPixmap::fromImage(classpictures::round(image, kIcon)));
        if (n == selected)
            Kinder->setCurrentItem(item);
    }
    Bild->setEnabled(Kinder->currentRow() >= 0);
    OhneBild->setEnabled(Kinder->currentRow() >= 0 && !pictureOf(selected).isNull());
}

QString ClassDialog::selectedName() const {
    const QListWidgetItem *item = Kinder ? Kinder->currentItem() : nullptr;
    return item ? item->text() : QString();
}

void ClassDialog::choosePicture() {
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const QString path = m_dialogs.chooseFile(
        QStringLiteral("Bild für ") + name,
        QStringLiteral("Bilder (*.jpg *.jpeg *.png *.gif *.bmp *.wmf *.svg *.webp *.tif "
                       "*.tiff);;Alle Dateien (*)"));
    if (path.isEmpty())
        return;
    ++m_busy;
    // A photo can be large: it is decoded and scaled on a worker.
    QPointer<ClassDialog> self(this);
    QThreadPool::globalInstance()->start([self, name, path] {
        const pictureimport::Prepared p = classpictures::prepareFile(path);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, name, p] {
            if (!self)
                return;
            --self->m_busy;
            if (p.ok()) {
                self->m_changes.insert(name, p.bytes);
                self->m_pictures.insert(name, QImage::fromData(p.bytes));
                self->listChildren();
            } else {
                self->m_dialogs.message(p.problem + QStringLiteral("\r\r"),
                                        QStringLiteral("Klasse"), Dialogs::Warning);
            }
            emit self->pictureReady(name);
        });
    });
}

void ClassDialog::removePicture() {
    const QString name = selectedName();
    if (name.isEmpty() || pictureOf(name).isNull())
        return;
    m_pictures.remove(name);
    m_changes.insert(name, QByteArray());
    listChildren();
}

QStringList ClassDialog::names() const {
    return classlist::clean(Namen->toPlainText().split(QLatin1Char('\n')));
}

bool ClassDialog::besidePictures() const {
    return NebenDenBildern->isChecked();
}
