#include "app/wordmanager.h"

#include "core/articles.h"
#include "core/collation.h"
#include "core/nouns.h"
#include "core/spelling.h"
#include "core/wordnames.h"
#include "drawing/picture.h"
#include "files/safefile.h"
#include "program/program.h"
#include "speech/microphone.h"
#include "speech/recordings.h"
#include "speech/speech.h"
#include "speech/wav.h"
#include "syllables/syllabifier.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QShortcut>
#include <QStringDecoder>
#include <QTableView>
#include <QThreadPool>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>
#include <thread>

namespace {

const QString kTitle = QStringLiteral("Wörter");
constexpr int kThumb = 48;
constexpr int kRow = kThumb + 4;
const QString kTrash = QStringLiteral("Papierkorb");

/// The article list, read once per run on a thread of its own.
struct Dictionary {
    ArticleDictionary dict;
    SpellingHint speller;
    std::once_flag once;
    std::atomic<bool> ready{false};
    std::mutex waiting;
    QList<std::function<void()>> onReady; // guarded by `waiting`

    static Dictionary &instance() {
        // Never destroyed: the loading thread may still run at program end.
        static Dictionary *d = new Dictionary;
        return *d;
    }
    /// Starts the load on first use; `then` runs (on the loading thread)
    /// once it is there.
    void whenReady(std::function<void()> then) {
        {
            const std::lock_guard lock(waiting);
            if (!ready)
                onReady << std::move(then);
        }
        if (ready && then)
            then();
        std::call_once(once, [this] {
            std::thread([this] {
                dict.load();
                speller.load();
                QList<std::function<void()>> calls;
                {
                    const std::lock_guard lock(waiting);
                    ready = true;
                    calls.swap(onReady);
                }
                for (auto &f : calls)
                    if (f)
                        f();
            }).detach();
        });
    }
};

/// The sound files of the folder by their name up to the first dot, in NFC
/// and lower case.
QSet<QString> recordedStems(const QStringList &names) {
    QSet<QString> out;
    for (const QString &n : names)
        if (recordings::isSoundFileName(n))
            out.insert(nouns::lower(
                n.section(QLatin1Char('.'), 0, 0).normalized(QString::NormalizationForm_C)));
    return out;
}

QString stemKey(const QString &entry) {
    return nouns::lower(
        entry.section(QLatin1Char('.'), 0, 0).normalized(QString::NormalizationForm_C));
}

/// The teacher's syllable list of the folder, in any letter case.
QString syllableFile(const QStringList &names) {
    for (const QString &n : names)
        if (n.compare(Syllabifier::overrideFileName(), Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

/// Moves `name` from folder into trash; an older file of that name in the
/// trash keeps it and this one gets a number. 0 or the errno; `movedAs` is
/// the name in the trash.
int moveIntoTrash(const files::Folder &folder, const files::Folder &trash, const QString &name,
                  QString *movedAs) {
    int error = EEXIST;
    for (int n = 1; error == EEXIST && n < 1000; ++n) {
        const QString to = n == 1 ? name
                                  : name.section(QLatin1Char('.'), 0, 0) +
                                        QStringLiteral("-%1.").arg(n) +
                                        name.section(QLatin1Char('.'), 1);
        error = files::renameNoReplace(folder, name, trash, to);
        if (error == 0 && movedAs)
            *movedAs = to;
    }
    return error;
}

files::Info failedWith(int error) {
    files::Info info;
    info.status = files::Status::Failed;
    info.error = error;
    return info;
}

QString decodeList(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : s;
}

} // namespace

// --- the list --------------------------------------------------------------

class WordModel : public QAbstractTableModel {
public:
    struct Row {
        QString entry, article, noun, syllables;
        bool recorded = false;
    };

    explicit WordModel(QObject *parent) : QAbstractTableModel(parent) {
        m_pool.setMaxThreadCount(2);
    }
    ~WordModel() override {
        m_pool.clear();
        m_pool.waitForDone();
    }

    void setRows(QList<Row> rows, const QDir &dir) {
        beginResetModel();
        m_rows = std::move(rows);
        m_dir = dir;
        m_thumbs.clear();
        m_asked.clear();
        endResetModel();
    }
    const QList<Row> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 5; }

    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        static const char *const names[] = {"Bild", "Artikel", "Nomen", "Aufnahme", "Silben"};
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 5)
            return QString::fromUtf8(names[section]);
        return QVariant();
    }

    QVariant data(const QModelIndex &index, int role) const override {
        if (!index.isValid() || index.row() >= m_rows.size())
            return QVariant();
        const Row &r = m_rows[index.row()];
        if (role == Qt::DecorationRole && index.column() == 0)
            return thumbnail(r.entry);
        if (role == Qt::SizeHintRole && index.column() == 0)
            return QSize(kThumb + 8, kRow);
        if (role != Qt::DisplayRole)
            return QVariant();
        switch (index.column()) {
        case 1:
            return r.article;
        case 2:
            return r.noun;
        case 3:
            return r.recorded ? QStringLiteral("ja") : QStringLiteral("nein");
        case 4:
            return r.syllables;
        default:
            return QVariant();
        }
    }

    /// Thumbnails waiting or being decoded.
    bool decoding() const { return m_pending > 0; }

private:
    /// The picture of a row, asked for only when a row is drawn; decoded on
    /// the pool through the picture cache and shown when it is there.
    QVariant thumbnail(const QString &entry) const {
        const auto it = m_thumbs.constFind(entry);
        if (it != m_thumbs.constEnd())
            return it.value();
        if (m_asked.contains(entry))
            return QVariant();
        m_asked.insert(entry);
        auto *self = const_cast<WordModel *>(this);
        ++self->m_pending;
        const QString path = m_dir.filePath(entry);
        m_pool.start([self, entry, path] {
            const Picture picture = Picture::load(path);
            QImage image;
            const QSize twips = picture.naturalTwips();
            if (!twips.isEmpty()) {
                const QSize px = (twips / 15)
                                     .scaled(kThumb, kThumb, Qt::KeepAspectRatio)
                                     .expandedTo(QSize(1, 1));
                image = picture.isVector() ? picture.render(px) : picture.image(px, true);
                if (!image.isNull() && image.size() != px)
                    image = image.scaled(px, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
            QMetaObject::invokeMethod(self, [self, entry, image] {
                --self->m_pending;
                self->m_thumbs.insert(entry, image);
                for (int i = 0; i < self->m_rows.size(); ++i)
                    if (self->m_rows[i].entry == entry) {
                        const QModelIndex at = self->index(i, 0);
                        emit self->dataChanged(at, at, {Qt::DecorationRole});
                        break;
                    }
            });
        });
        return QVariant();
    }

    QList<Row> m_rows;
    QDir m_dir;
    mutable QHash<QString, QImage> m_thumbs;
    mutable QSet<QString> m_asked;
    mutable QThreadPool m_pool;
    int m_pending = 0;
};

// --- the window ------------------------------------------------------------

WordManager::WordManager(Program &program, QWidget *parent, SoundInput *input)
    : QDialog(parent), m_program(program), m_dir(QDir::current()),
      m_pool(std::make_unique<QThreadPool>()), m_input(input ? input : new Microphone) {
    m_input->setParent(this);
    setObjectName(QStringLiteral("Woerter"));
    setWindowTitle(QStringLiteral("Kalimbo (Wörter)"));
    setModal(true);
    setAcceptDrops(true);
    m_pool->setMaxThreadCount(1);
    const QFont font = controls::verdana(9.75);
    const QFont bold = controls::verdana(9.75, true);
    setFont(font);

    auto *top = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    top->addLayout(left, 3);

    m_model = new WordModel(this);
    Liste = new QTableView(this);
    KALIMBO_NAME(Liste);
    Liste->setModel(m_model);
    Liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste->setIconSize(QSize(kThumb, kThumb));
    Liste->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Liste->verticalHeader()->setDefaultSectionSize(kRow);
    Liste->verticalHeader()->hide();
    Liste->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    Liste->horizontalHeader()->setStretchLastSection(true);
    Liste->setColumnWidth(0, kThumb + 12);
    Liste->setColumnWidth(1, 60);
    Liste->setColumnWidth(2, 200);
    Liste->setColumnWidth(3, 80);
    left->addWidget(Liste, 1);

    auto *listButtons = new QHBoxLayout;
    Hinzufuegen = new QPushButton(QStringLiteral("Bild hinzufügen ..."), this);
    KALIMBO_NAME(Hinzufuegen);
    Loeschen = new QPushButton(QStringLiteral("Löschen"), this);
    KALIMBO_NAME(Loeschen);
    Umbenennen = new QPushButton(QStringLiteral("Umbenennen ..."), this);
    KALIMBO_NAME(Umbenennen);
    Silben = new QPushButton(QStringLiteral("Silben ..."), this);
    KALIMBO_NAME(Silben);
    auto *close = new QPushButton(QStringLiteral("Schließen"), this);
    for (QPushButton *b : {Hinzufuegen, Umbenennen, Silben, Loeschen, close})
        b->setFont(bold);
    listButtons->addWidget(Hinzufuegen);
    listButtons->addWidget(Umbenennen);
    listButtons->addWidget(Silben);
    listButtons->addWidget(Loeschen);
    listButtons->addStretch();
    listButtons->addWidget(close);
    left->addLayout(listButtons);
    auto *recordRow = new QHBoxLayout;
    Aufnehmen = new QPushButton(QStringLiteral("Aufnehmen"), this);
    KALIMBO_NAME(Aufnehmen);
    Stopp = new QPushButton(QStringLiteral("Stopp"), this);
    KALIMBO_NAME(Stopp);
    Anhoeren = new QPushButton(QStringLiteral("Anhören"), this);
    KALIMBO_NAME(Anhoeren);
    for (QPushButton *b : {Aufnehmen, Stopp, Anhoeren}) {
        b->setFont(bold);
        b->setEnabled(false);
        recordRow->addWidget(b);
    }
    Pegel = new QProgressBar(this);
    KALIMBO_NAME(Pegel);
    Pegel->setRange(0, 100);
    Pegel->setValue(0);
    Pegel->setTextVisible(false);
    Pegel->setFixedSize(100, 14);
    Pegel->setAccessibleName(QStringLiteral("Lautstärke"));
    recordRow->addWidget(Pegel);
    Mikrofon = new QLabel(QStringLiteral("Mikrofon wird gesucht ..."), this);
    KALIMBO_NAME(Mikrofon);
    Mikrofon->setFont(controls::verdana(8.25));
    Mikrofon->setWordWrap(true);
    // Room for two lines, so a message does not move the list.
    Mikrofon->setMinimumHeight(2 * QFontMetrics(Mikrofon->font()).lineSpacing());
    recordRow->addWidget(Mikrofon, 1);
    left->addLayout(recordRow);
    auto *hint = new QLabel(QStringLiteral("Ein Bild kann auch hierher gezogen oder mit Strg+V "
                                           "eingefügt werden."),
                            this);
    hint->setFont(controls::verdana(8.25));
    left->addWidget(hint);

    auto *right = new QVBoxLayout;
    top->addLayout(right, 2);
    auto *form = new QGroupBox(QStringLiteral("Neues Wort"), this);
    form->setFont(bold);
    auto *formBox = new QVBoxLayout(form);
    Vorschau = new QLabel(form);
    KALIMBO_NAME(Vorschau);
    Vorschau->setFixedSize(200, 150);
    Vorschau->setAlignment(Qt::AlignCenter);
    Vorschau->setFrameShape(QFrame::StyledPanel);
    Vorschau->setText(QStringLiteral("(kein Bild)"));
    formBox->addWidget(Vorschau, 0, Qt::AlignHCenter);
    auto *articleRow = new QHBoxLayout;
    m_articles = new QButtonGroup(this);
    Der = new QRadioButton(QStringLiteral("der"), form);
    Die = new QRadioButton(QStringLiteral("die"), form);
    Das = new QRadioButton(QStringLiteral("das"), form);
    KALIMBO_NAME(Der);
    KALIMBO_NAME(Die);
    KALIMBO_NAME(Das);
    for (QRadioButton *r : {Der, Die, Das}) {
        r->setFont(font);
        m_articles->addButton(r);
        articleRow->addWidget(r);
    }
    articleRow->addStretch();
    formBox->addLayout(articleRow);
    Nomen = new QLineEdit(form);
    KALIMBO_NAME(Nomen);
    Nomen->setFont(font);
    Nomen->setPlaceholderText(QStringLiteral("Nomen, z. B. Hund"));
    Nomen->setMaxLength(wordnames::kMaxNounLength + 10);
    formBox->addWidget(Nomen);
    Vorschlag = new QLabel(form);
    KALIMBO_NAME(Vorschlag);
    Vorschlag->setFont(controls::verdana(8.25));
    formBox->addWidget(Vorschlag);
    Hinweis = new QLabel(form);
    KALIMBO_NAME(Hinweis);
    Hinweis->setFont(controls::verdana(8.25));
    Hinweis->setWordWrap(true);
    QPalette red = Hinweis->palette();
    red.setColor(QPalette::WindowText, QColor(160, 0, 0));
    Hinweis->setPalette(red);
    formBox->addWidget(Hinweis);
    Speichern = new QPushButton(QStringLiteral("Speichern"), form);
    KALIMBO_NAME(Speichern);
    Speichern->setEnabled(false);
    formBox->addWidget(Speichern);
    right->addWidget(form);

    auto *others = new QLabel(QStringLiteral("Bilder im Ordner, die noch keine Nomen sind:"), this);
    others->setWordWrap(true);
    right->addWidget(others);
    Uebrige = new QListWidget(this);
    KALIMBO_NAME(Uebrige);
    right->addWidget(Uebrige, 1);
    Uebernehmen = new QPushButton(QStringLiteral("Übernehmen"), this);
    KALIMBO_NAME(Uebernehmen);
    Uebernehmen->setFont(bold);
    Uebernehmen->setEnabled(false);
    right->addWidget(Uebernehmen);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(Hinzufuegen, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, QStringLiteral("Bild hinzufügen"), QDir::homePath(),
            QStringLiteral("Bilder (*.jpg *.jpeg *.png *.gif *.bmp *.wmf *.svg *.webp *.tif "
                           "*.tiff);;Alle Dateien (*)"));
        if (!path.isEmpty())
            importFile(path);
    });
    connect(Loeschen, &QPushButton::clicked, this, [this] {
        const QModelIndex at = Liste->currentIndex();
        if (at.isValid())
            moveToTrash(m_model->rows().at(at.row()).entry);
    });
    connect(Umbenennen, &QPushButton::clicked, this, [this] {
        const QModelIndex at = Liste->currentIndex();
        if (!at.isValid())
            return;
        const QString entry = m_model->rows().at(at.row()).entry;
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, kTitle, QStringLiteral("Neuer Name, mit Artikel (z. B. „die Hündin“):"),
            QLineEdit::Normal, nouns::displayForm(entry), &ok);
        if (ok)
            rename(entry, name);
    });
    connect(Silben, &QPushButton::clicked, this, [this] {
        const QModelIndex at = Liste->currentIndex();
        if (!at.isValid())
            return;
        const WordModel::Row row = m_model->rows().at(at.row());
        const QString own = divisionWithoutList(row.noun);
        bool ok = false;
        const QString division = QInputDialog::getText(
            this, kTitle,
            QStringLiteral("Silben für „%1“, mit Bindestrichen getrennt.\nLeer lassen: Kalimbo "
                           "trennt selbst%2.")
                .arg(row.noun, own.isEmpty() ? QString() : QStringLiteral(" („%1“)").arg(own)),
            QLineEdit::Normal, row.syllables.isEmpty() ? own : row.syllables, &ok);
        if (ok)
            setSyllables(row.entry, division == own ? QString() : division);
    });
    connect(Uebernehmen, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = Uebrige->currentItem())
            takeOver(item->text());
    });
    connect(Uebrige, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { takeOver(item->text()); });
    connect(Uebrige, &QListWidget::currentRowChanged, this,
            [this](int row) { Uebernehmen->setEnabled(row >= 0); });
    connect(Speichern, &QPushButton::clicked, this, &WordManager::save);
    connect(Liste->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateButtons(); });
    connect(Aufnehmen, &QPushButton::clicked, this, &WordManager::startRecording);
    connect(Stopp, &QPushButton::clicked, this, &WordManager::stopRecording);
    connect(Anhoeren, &QPushButton::clicked, this, [this] {
        const QString entry = selectedEntry();
        const QString file = entry.isEmpty() ? QString() : recordings::recordingFor(entry, m_dir);
        if (file.isEmpty()) {
            reload(); // gone meanwhile
            return;
        }
        m_program.speech().speak(nouns::displayForm(entry), file);
    });
    connect(m_input, &SoundInput::available, this, &WordManager::microphoneFound);
    connect(m_input, &SoundInput::level, this, [this](int percent) {
        if (m_recording)
            Pegel->setValue(percent);
    });
    connect(m_input, &SoundInput::recorded, this, &WordManager::recordingEnded);
    connect(m_input, &SoundInput::failed, this, [this](const QString &why) {
        if (!m_recording)
            return;
        m_recording = false;
        Pegel->setValue(0);
        Liste->setEnabled(true);
        microphoneFound(false, why);
    });
    connect(Nomen, &QLineEdit::textChanged, this, [this] {
        Hinweis->clear();
        suggestArticle();
    });
    connect(m_articles, &QButtonGroup::buttonClicked, this, [this] { m_articleTouched = true; });
    auto *paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this,
            [this] { importMime(QApplication::clipboard()->mimeData()); });

    // As large as planned where the screen has room; on a whiteboard at one
    // and a half times the size the window keeps within the screen.
    QSize size(960, 640);
    if (const QScreen *on = screen())
        size = size.boundedTo(on->availableGeometry().size() - QSize(16, 48));
    resize(size.expandedTo(minimumSizeHint()));
    reload();
    m_input->lookUp();
    Dictionary::instance().whenReady([guard = QPointer<WordManager>(this)] {
        if (QCoreApplication *app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [guard] {
                if (guard)
                    guard->suggestArticle();
            });
    });
}

WordManager::~WordManager() {
    m_pool->clear();
    m_pool->waitForDone();
}

QStringList WordManager::entries() const {
    QStringList out;
    for (const WordModel::Row &r : m_model->rows())
        out << r.entry;
    return out;
}

QStringList WordManager::notYetNouns() const {
    QStringList out;
    for (int i = 0; i < Uebrige->count(); ++i)
        out << Uebrige->item(i)->text();
    return out;
}

bool WordManager::busy() const {
    return m_running > 0;
}

void WordManager::reload() {
    // The main menu's own listing of this folder: the same nouns in the same
    // order, without listing 5,000 files twice.
    const QStringList entries =
        m_dir == QDir::current() ? m_program.pictureFiles() : nouns::listPictureFiles(m_dir);
    const QStringList names =
        m_dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    const QSet<QString> recorded = recordedStems(names);
    QHash<QString, QString> syllables;
    const QString list = syllableFile(names);
    if (!list.isEmpty()) {
        const files::Contents c = files::readSmall(m_dir.filePath(list), files::kSettingsCap);
        if (c.ok())
            syllables = wordnames::syllableLines(decodeList(c.bytes));
    }
    QList<WordModel::Row> rows;
    rows.reserve(entries.size());
    for (const QString &e : entries) {
        WordModel::Row r;
        r.entry = e;
        r.article = nouns::articleOf(e);
        r.noun = nouns::nounOf(e);
        r.recorded = recorded.contains(stemKey(e));
        r.syllables = syllables.value(nouns::lower(r.noun));
        rows << r;
    }
    const QString selected = selectedEntry();
    m_model->setRows(rows, m_dir);
    select(selected);
    Silben->setEnabled(!rows.isEmpty());
    updateButtons();
    listNotYetNouns(names);
}

void WordManager::listNotYetNouns(const QStringList &names) {
    QStringList candidates = wordnames::notYetNouns(names, entries());
    collation::sort(candidates);
    Uebrige->clear();
    Uebernehmen->setEnabled(false);
    ++m_running;
    // Only pictures that can be read: the headers are looked at on the pool.
    m_pool->start([this, candidates, dir = m_dir] {
        QStringList readable;
        for (const QString &name : candidates) {
            QFile file;
            if (files::openForReading(dir.filePath(name), file, files::kImportCap).status !=
                files::Status::Ok)
                continue;
            QImageReader reader(&file);
            if (reader.canRead() || name.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive))
                readable << name;
        }
        QMetaObject::invokeMethod(this, [this, readable] {
            --m_running;
            Uebrige->addItems(readable);
            emit notYetNounsListed();
        });
    });
}

// --- adding ----------------------------------------------------------------

void WordManager::importFile(const QString &path) {
    const QFileInfo info(path);
    const QString source = info.absoluteDir() == QFileInfo(m_dir.absolutePath()).absoluteFilePath()
                               ? info.fileName()
                               : QString();
    startImport(info.fileName(), source, [path] { return pictureimport::prepareFile(path); });
}

void WordManager::takeOver(const QString &fileName) {
    startImport(fileName, fileName,
                [path = m_dir.filePath(fileName)] { return pictureimport::prepareFile(path); });
}

void WordManager::importMime(const QMimeData *mime) {
    if (!mime)
        return;
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile()) {
            importFile(url.toLocalFile());
            return;
        }
    static const char *const kinds[] = {"image/png",  "image/jpeg", "image/gif",    "image/bmp",
                                        "image/webp", "image/tiff", "image/svg+xml"};
    const QString name = QStringLiteral("Zwischenablage");
    for (const char *kind : kinds) {
        const QString type = QString::fromLatin1(kind);
        if (!mime->hasFormat(type))
            continue;
        const QByteArray bytes = mime->data(type);
        if (bytes.size() > files::kImportCap) {
            message(QStringLiteral("Das Bild in der Zwischenablage ist zu groß."));
            return;
        }
        startImport(name, QString(), [bytes, name] { return pictureimport::prepare(bytes, name); });
        return;
    }
    if (mime->hasImage()) {
        const QImage image = qvariant_cast<QImage>(mime->imageData());
        startImport(name, QString(), [image, name] {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "BMP");
            return pictureimport::prepare(bytes, name);
        });
        return;
    }
    message(QStringLiteral("In der Zwischenablage ist kein Bild."));
}

void WordManager::startImport(const QString &name, const QString &sourceFile,
                              std::function<pictureimport::Prepared()> work) {
    Speichern->setEnabled(false);
    Hinweis->setText(QStringLiteral("„%1“ wird gelesen ...").arg(name));
    ++m_running;
    m_pool->start([this, sourceFile, work = std::move(work)] {
        const pictureimport::Prepared p = work();
        QMetaObject::invokeMethod(this, [this, p, sourceFile] {
            --m_running;
            showPrepared(p, sourceFile);
            emit prepared();
        });
    });
}

void WordManager::showPrepared(const pictureimport::Prepared &p, const QString &sourceFile) {
    Hinweis->clear();
    if (!p.ok()) {
        message(p.problem);
        return;
    }
    m_prepared = p;
    m_source = sourceFile;
    Vorschau->setPixmap(QPixmap::fromImage(
        p.preview.scaled(Vorschau->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    if (!sourceFile.isEmpty()) {
        const wordnames::Guess g = wordnames::guessFrom(sourceFile);
        if (!g.noun.isEmpty())
            Nomen->setText(g.noun);
        if (!g.article.isEmpty())
            setNoun(Nomen->text(), g.article);
    }
    Speichern->setEnabled(true);
    Nomen->setFocus();
}

void WordManager::setNoun(const QString &noun, const QString &article) {
    Nomen->setText(noun);
    if (!article.isEmpty()) {
        m_articleTouched = true;
        for (QRadioButton *r : {Der, Die, Das})
            r->setChecked(r->text() == article);
    }
}

void WordManager::suggestArticle() {
    Dictionary &d = Dictionary::instance();
    const QString noun = wordnames::normalised(Nomen->text());
    if (!d.ready || noun.isEmpty()) {
        Vorschlag->clear();
        return;
    }
    QStringList lines;
    const ArticleDictionary::Suggestion s = d.dict.suggest(noun);
    // Without the word list: no suggestion and no complaint.
    if (d.dict.size() > 0) {
        if (s.ambiguous)
            lines << QStringLiteral("Artikel: mehrdeutig (%1), bitte wählen").arg(s.from);
        else if (!s.article.isEmpty())
            lines << (s.from == noun ? QStringLiteral("Vorschlag: %1 %2").arg(s.article, noun)
                                     : QStringLiteral("Vorschlag: %1 %2 (wie %1 %3)")
                                           .arg(s.article, noun, s.from));
        else
            lines << QStringLiteral("Kein Vorschlag für den Artikel.");
    }
    // Only a hint: a teacher's own words need not be in any dictionary.
    if (wordnames::problemWith(noun).isEmpty() && !d.speller.knows(noun)) {
        const QStringList other = d.speller.suggestions(noun);
        lines << (other.isEmpty() ? QStringLiteral("Nicht im Wörterbuch – richtig geschrieben?")
                                  : QStringLiteral("Nicht im Wörterbuch – gemeint: %1?")
                                        .arg(other.join(QStringLiteral(", "))));
    }
    Vorschlag->setText(lines.join(QLatin1Char('\n')));
    if (m_articleTouched || d.dict.size() == 0)
        return;
    // A suggestion only preselects; the teacher's own choice stays.
    m_articles->setExclusive(false);
    for (QRadioButton *r : {Der, Die, Das})
        r->setChecked(!s.ambiguous && r->text() == s.article);
    m_articles->setExclusive(true);
}

QString WordManager::chosenArticle() const {
    for (QRadioButton *r : {Der, Die, Das})
        if (r->isChecked())
            return r->text();
    return QString();
}

bool WordManager::save() {
    if (!m_prepared.ok()) {
        message(QStringLiteral("Bitte zuerst ein Bild wählen."));
        return false;
    }
    const QString noun = wordnames::normalised(Nomen->text());
    const QString problem = wordnames::problemWith(noun);
    if (!problem.isEmpty()) {
        message(problem);
        return false;
    }
    const QString article = chosenArticle();
    if (article.isEmpty()) {
        message(QStringLiteral("Bitte der, die oder das wählen."));
        return false;
    }
    const QStringList names =
        m_dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs, QDir::NoSort);
    const QString holder = wordnames::holderOf(noun, names, m_source);
    const QString target = wordnames::fileNameFor(article, noun, m_prepared.suffix);
    auto taken = [this, &noun](const QString &file) {
        message(QStringLiteral("„%1“ gibt es schon: in der Datei „%2“.\rDort wird nichts "
                               "überschrieben.")
                    .arg(noun, file));
    };
    if (!holder.isEmpty()) {
        taken(holder);
        return false;
    }
    files::Info info;
    const files::Folder folder = files::Folder::open(m_dir.absolutePath(), ".", false, &info);
    if (folder.isOpen())
        info = folder.writeNew(target, m_prepared.bytes);
    if (info.status != files::Status::Ok) {
        if (info.error == EEXIST)
            taken(target);
        else
            message(QStringLiteral("„%1“ konnte nicht gespeichert werden im Ordner „%2“.\r%3")
                        .arg(target, QDir::toNativeSeparators(m_dir.absolutePath()),
                             files::describe(info)));
        return false;
    }
    clearForm();
    m_program.picturesChanged();
    reload();
    const int row = int(entries().indexOf(target));
    if (row >= 0) {
        Liste->selectRow(row);
        // The new noun has the focus, ready to be recorded or renamed; the
        // disabled "Speichern" would otherwise hand it to the next control.
        Liste->setFocus();
    }
    return true;
}

void WordManager::clearForm() {
    m_prepared = pictureimport::Prepared();
    m_source.clear();
    m_articleTouched = false;
    Nomen->clear();
    m_articles->setExclusive(false);
    for (QRadioButton *r : {Der, Die, Das})
        r->setChecked(false);
    m_articles->setExclusive(true);
    Vorschau->clear();
    Vorschau->setText(QStringLiteral("(kein Bild)"));
    Vorschlag->clear();
    Hinweis->clear();
    Speichern->setEnabled(false);
}

// --- renaming --------------------------------------------------------------

bool WordManager::rename(const QString &entry, const QString &newName) {
    const QStringList words =
        wordnames::normalised(newName).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString article = words.size() == 2 ? words[0].toLower() : QString();
    if (article != QLatin1String("der") && article != QLatin1String("die") &&
        article != QLatin1String("das")) {
        message(QStringLiteral("Bitte Artikel und Nomen eingeben, z. B. „die Hündin“."));
        return false;
    }
    const QString noun = words[1];
    const QString problem = wordnames::problemWith(noun);
    if (!problem.isEmpty()) {
        message(problem);
        return false;
    }
    const QStringList names =
        m_dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs, QDir::NoSort);
    const QString holder = wordnames::holderOf(noun, names, entry);
    if (!holder.isEmpty()) {
        message(QStringLiteral("„%1“ gibt es schon: in der Datei „%2“.\rDort wird nichts "
                               "überschrieben.")
                    .arg(noun, holder));
        return false;
    }
    files::Info info;
    const files::Folder folder = files::Folder::open(m_dir.absolutePath(), ".", false, &info);
    if (!folder.isOpen()) {
        message(files::describe(info));
        return false;
    }
    // The picture and every recording of the same name, each keeping its ending.
    const QString key = stemKey(entry);
    QStringList parts = {entry};
    for (const QString &n : names)
        if (recordings::isSoundFileName(n) && stemKey(n) == key)
            parts << n;
    QList<QPair<QString, QString>> done;
    for (const QString &part : parts) {
        const QString to = article + noun + QLatin1Char('.') + part.section(QLatin1Char('.'), 1);
        const int error = files::renameNoReplace(folder, part, folder, to);
        if (error != 0) {
            // Back to the old names: the noun stays whole under one name.
            for (const auto &[from, moved] : done)
                files::renameNoReplace(folder, moved, folder, from);
            files::Info failed;
            failed.status = files::Status::Failed;
            failed.error = error;
            message(QStringLiteral("„%1“ konnte nicht umbenannt werden; alles bleibt, wie es "
                                   "war.\r%2")
                        .arg(part, files::describe(failed)));
            return false;
        }
        done << qMakePair(part, to);
    }
    // The syllable line moves with the noun.
    const QString list = syllableFile(names);
    const QString oldNoun = nouns::nounOf(entry);
    if (!list.isEmpty() && oldNoun != noun) {
        const files::Contents c = files::readSmall(m_dir.filePath(list), files::kSettingsCap);
        const QString text = c.ok() ? decodeList(c.bytes) : QString();
        const QString division = wordnames::syllableLines(text).value(nouns::lower(oldNoun));
        if (!division.isEmpty()) {
            QString moved = division;
            moved.remove(QChar(0x2013)).remove(QChar(0x00B7)).remove(QLatin1Char('-'));
            // A division that no longer spells the noun is dropped, not kept wrong.
            const QString newDivision =
                nouns::lower(moved) == nouns::lower(noun) ? division : QString();
            const files::Info written = folder.replace(
                list, wordnames::withSyllableLine(text, oldNoun, noun, newDivision).toUtf8());
            if (written.status != files::Status::Ok)
                message(QStringLiteral("Die Silbenliste „%1“ konnte nicht geändert werden.\r%2")
                            .arg(list, files::describe(written)));
            m_program.syllableListChanged();
        }
    }
    m_program.picturesChanged();
    reload();
    const int row = int(entries().indexOf(done.first().second));
    if (row >= 0)
        Liste->selectRow(row);
    return true;
}

// --- syllables -------------------------------------------------------------

QString WordManager::divisionWithoutList(const QString &noun) {
    Syllabifier &s = m_program.syllables();
    // The patterns take seconds to load: never wait for them here.
    if (!s.ready()) {
        s.preload();
        return QString();
    }
    QString out = noun;
    const QList<int> at = s.patternBreaks(noun);
    for (qsizetype i = at.size() - 1; i >= 0; --i)
        out.insert(at[i], QLatin1Char('-'));
    return out;
}

bool WordManager::setSyllables(const QString &entry, const QString &division) {
    const QString noun = nouns::nounOf(entry);
    const QString marked = wordnames::normalised(division);
    QString letters = marked;
    letters.remove(QLatin1Char('-')).remove(QChar(0x2013)).remove(QChar(0x00B7));
    if (!marked.isEmpty() &&
        (nouns::lower(letters) != nouns::lower(noun) || marked.startsWith(QLatin1Char('-')) ||
         marked.endsWith(QLatin1Char('-')) || marked.contains(QLatin1String("--")))) {
        message(QStringLiteral("„%1“ trennt nicht das Nomen „%2“: bitte nur Bindestriche "
                               "zwischen die Buchstaben setzen.")
                    .arg(marked, noun));
        return false;
    }
    const QStringList names =
        m_dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    QString list = syllableFile(names);
    if (list.isEmpty())
        list = Syllabifier::overrideFileName();
    QString text;
    if (names.contains(list)) {
        const files::Contents c = files::readSmall(m_dir.filePath(list), files::kSettingsCap);
        if (!c.ok()) {
            message(QStringLiteral("Die Silbenliste „%1“ kann nicht gelesen werden.\r%2")
                        .arg(list, files::describe(c.info)));
            return false;
        }
        text = decodeList(c.bytes);
    }
    files::Info info;
    const files::Folder folder = files::Folder::open(m_dir.absolutePath(), ".", false, &info);
    if (folder.isOpen())
        info = folder.replace(list, wordnames::withSyllableLine(text, noun, noun, marked).toUtf8());
    if (info.status != files::Status::Ok) {
        message(QStringLiteral("Die Silbenliste „%1“ konnte nicht geschrieben werden.\r%2")
                    .arg(list, files::describe(info)));
        return false;
    }
    m_program.syllableListChanged();
    reload();
    return true;
}

// --- removing --------------------------------------------------------------

bool WordManager::moveToTrash(const QString &entry) {
    if (!m_program.dialogs().askYesNo(
            QStringLiteral("„%1“ in den Papierkorb legen?\rBild und Aufnahme kommen in den "
                           "Ordner „%2“ neben den Bildern; gelöscht wird nichts.")
                .arg(nouns::displayForm(entry), kTrash),
            kTitle, true, Dialogs::Question))
        return false;
    files::Info info;
    const files::Folder folder = files::Folder::open(m_dir.absolutePath(), ".", false, &info);
    const files::Folder trash = folder.isOpen()
                                    ? files::Folder::open(m_dir.absolutePath(), kTrash, true, &info)
                                    : files::Folder();
    if (!trash.isOpen()) {
        message(QStringLiteral("Der Ordner „%1“ kann nicht angelegt werden.\r%2")
                    .arg(kTrash, files::describe(info)));
        return false;
    }
    // The picture and every recording of the same name.
    QStringList parts = {entry};
    const QString key = stemKey(entry);
    for (const QString &n : m_dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (recordings::isSoundFileName(n) && stemKey(n) == key)
            parts << n;
    for (const QString &part : parts) {
        const int error = moveIntoTrash(folder, trash, part, nullptr);
        if (error != 0) {
            message(QStringLiteral("„%1“ konnte nicht in den Papierkorb gelegt werden.\r%2")
                        .arg(part, files::describe(failedWith(error))));
            m_program.picturesChanged();
            reload();
            return false;
        }
    }
    m_program.picturesChanged();
    reload();
    return true;
}

// --- drop and paste --------------------------------------------------------

void WordManager::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls() || event->mimeData()->hasImage())
        event->acceptProposedAction();
}

void WordManager::dropEvent(QDropEvent *event) {
    importMime(event->mimeData());
    event->acceptProposedAction();
}

void WordManager::message(const QString &text) {
    m_program.dialogs().message(text, kTitle, Dialogs::Warning);
}

// --- recording -------------------------------------------------------------

QString WordManager::selectedEntry() const {
    // The row the teacher sees marked, not merely the one with the focus.
    const QModelIndexList rows = Liste->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    return row >= 0 && row < m_model->rows().size() ? m_model->rows().at(row).entry : QString();
}

bool WordManager::select(const QString &entry) {
    const int row = entry.isEmpty() ? -1 : int(entries().indexOf(entry));
    if (row >= 0)
        Liste->selectRow(row);
    return row >= 0;
}

void WordManager::updateButtons() {
    const QString entry = selectedEntry();
    const bool chosen = !entry.isEmpty();
    const bool listed = !m_model->rows().isEmpty();
    bool recorded = false;
    for (const WordModel::Row &r : m_model->rows())
        if (r.entry == entry)
            recorded = r.recorded;
    Aufnehmen->setEnabled(m_microphone && chosen && !m_recording);
    Stopp->setEnabled(m_recording);
    Anhoeren->setEnabled(chosen && !m_recording && recorded);
    // The noun being recorded keeps its name until the recording is stored.
    Loeschen->setEnabled(listed && !m_recording);
    Umbenennen->setEnabled(listed && !m_recording);
}

void WordManager::microphoneFound(bool present, const QString &why) {
    m_microphone = present;
    // The reason stays in sight beside the button, not only in a tool tip.
    Mikrofon->setText(present ? QString() : why);
    Aufnehmen->setToolTip(present ? QString() : why);
    updateButtons();
}

void WordManager::startRecording() {
    const QString entry = selectedEntry();
    if (entry.isEmpty() || !m_microphone || m_recording)
        return;
    m_recording = true;
    m_recordingEntry = entry;
    Pegel->setValue(0);
    Mikrofon->setText(QStringLiteral("„%1“ wird aufgenommen, höchstens %2 Sekunden.")
                          .arg(nouns::displayForm(entry))
                          .arg(kRecordingLimitMs / 1000));
    Liste->setEnabled(false);
    updateButtons();
    m_program.speech().stop();
    m_input->start(kRecordingLimitMs);
}

void WordManager::stopRecording() {
    if (m_recording)
        m_input->stop();
}

void WordManager::recordingEnded(const Pcm &pcm) {
    if (!m_recording)
        return;
    m_recording = false;
    Pegel->setValue(0);
    Mikrofon->clear();
    Liste->setEnabled(true);
    updateButtons();
    storeRecording(m_recordingEntry, pcm);
    Liste->setFocus();
}

bool WordManager::storeRecording(const QString &entry, const Pcm &pcm) {
    const Pcm word = wav::trimSilence(pcm);
    if (word.isEmpty()) {
        message(QStringLiteral("In der Aufnahme ist nichts zu hören. Ist das Mikrofon "
                               "eingeschaltet?\rEs wurde nichts gespeichert."));
        return false;
    }
    const QString target = entry.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".wav");
    const QString key = stemKey(entry);
    QStringList old;
    for (const QString &n : m_dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (recordings::isSoundFileName(n) && stemKey(n) == key)
            old << n;
    // Nothing is ever lost: the recording there was goes into the trash, and
    // only when the teacher says so.
    if (!old.isEmpty() &&
        !m_program.dialogs().askYesNo(
            QStringLiteral("„%1“ hat schon eine Aufnahme.\rDie neue Aufnahme statt der alten "
                           "nehmen? Die alte kommt in den Ordner „%2“ neben den Bildern.")
                .arg(nouns::displayForm(entry), kTrash),
            kTitle, true, Dialogs::Question))
        return false;
    auto failed = [&](const files::Info &info) {
        message(QStringLiteral("Die Aufnahme „%1“ konnte nicht gespeichert werden im Ordner "
                               "„%2“.\r%3")
                    .arg(target, QDir::toNativeSeparators(m_dir.absolutePath()),
                         files::describe(info)));
        return false;
    };
    files::Info info;
    const files::Folder folder = files::Folder::open(m_dir.absolutePath(), ".", false, &info);
    if (!folder.isOpen())
        return failed(info);
    files::Folder trash;
    if (!old.isEmpty()) {
        trash = files::Folder::open(m_dir.absolutePath(), kTrash, true, &info);
        if (!trash.isOpen())
            return failed(info);
    }
    // Each old recording and its name in the trash, to put back on failure.
    QList<QPair<QString, QString>> moved;
    auto putBack = [&] {
        for (const auto &[from, as] : std::as_const(moved))
            files::renameNoReplace(trash, as, folder, from);
    };
    for (const QString &n : old) {
        QString as;
        const int error = moveIntoTrash(folder, trash, n, &as);
        if (error != 0) {
            putBack();
            return failed(failedWith(error));
        }
        moved << qMakePair(n, as);
    }
    info = folder.writeNew(target, wav::encode(word));
    if (info.status != files::Status::Ok) {
        putBack();
        reload();
        return failed(info);
    }
    reload();
    select(entry);
    return true;
}
