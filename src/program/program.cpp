#include "program/program.h"

#include "core/classlist.h"
#include "core/clock.h"
#include "core/palette.h"
#include "program/childrecords.h"
#include "program/fortschritt.h"
#include "records/cardbox.h"
#include "records/recordstore.h"
#include "records/report.h"
#include "syllables/syllabifier.h"
#include "ui/highcontrast.h"

#include <QDir>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <mutex>

// Carries the patterns' loading thread's word to the window thread, and
// nowhere once the program is gone.
struct Program::Relay {
    std::mutex mutex;
    ProgramEvents *events = nullptr;

    void syllablesReady() {
        const std::lock_guard<std::mutex> lock(mutex);
        if (events)
            QMetaObject::invokeMethod(events, &ProgramEvents::syllablesReady, Qt::QueuedConnection);
    }
};

Program::Program(ScreenFactory factory)
    : m_child(std::make_unique<ChildRecords>()),
      m_syllablePatternFile(Syllabifier::defaultPatternFile()),
      m_events(std::make_unique<ProgramEvents>()), m_relay(std::make_shared<Relay>()),
      m_factory(std::move(factory)) {
    m_relay->events = m_events.get();
    QObject::connect(&m_state, &MenuState::extrasChanged, &m_state, [this] { readClassList(); });
    // Every window follows "Kontrast" at once.
    highcontrast::setOn(extras().highContrast);
    QObject::connect(&m_state, &MenuState::extrasChanged, &m_state,
                     [this] { highcontrast::setOn(extras().highContrast); });
    QObject::connect(&m_state, &MenuState::nameChanged, m_events.get(),
                     [this] { prepareChildRecords(); });
    QObject::connect(&m_state, &MenuState::extrasChanged, m_events.get(),
                     [this] { prepareChildRecords(); });
}

void Program::readClassList() {
    const Extras &e = extras();
    m_state.setClassNames(e.classBesidePictures ? classlist::read(QDir::currentPath())
                                                : classlist::clean(e.classNames));
}

Program::~Program() {
    {
        const std::lock_guard<std::mutex> lock(m_relay->mutex);
        m_relay->events = nullptr;
    }
    destroyAll();
    highcontrast::setOn(false);
}

void Program::recordAnswer(LogList exercise, const QString &entry, bool right,
                           const QString &given) {
    records::RecordStore *store = records();
    if (!store)
        return;
    store->append(childName(), {exercises::recordId(exercise), entry, right, given});
}

ChildRecords *Program::childRecords() {
    records::RecordStore *store = records();
    if (!store)
        return nullptr;
    m_child->update(store->pathFor(childName()), store->now());
    return m_child.get();
}

void Program::prepareChildRecords() {
    if (!extras().keepRecords || !(extras().practiseMistakes || extras().cardBox))
        return;
    if (records::RecordStore *store = records())
        m_child->prepare(store->pathFor(childName()), store->now());
}

QStringList Program::missedNouns() {
    if (!extras().practiseMistakes)
        return {};
    const ChildRecords *child = childRecords();
    return child ? records::practiceEntries(child->answers(), records()->now()) : QStringList();
}

const records::CardBox *Program::cardBox() {
    if (!extras().cardBox)
        return nullptr;
    const ChildRecords *child = childRecords();
    return child ? &child->box() : nullptr;
}

QDate Program::cardBoxDay() {
    records::RecordStore *store = records();
    return store ? store->now().date() : clock().today();
}

Program::CardSession Program::beginCardSession(LogList exercise) {
    CardSession session;
    const std::optional<records::CardKind> kind =
        records::cardKindOf(exercises::recordId(exercise));
    const records::CardBox *box = kind ? cardBox() : nullptr;
    if (!box)
        return session;
    session.kind = kind;
    session.before = box->cards(*kind);
    session.nouns = box->session(*kind, nounList(), cardBoxDay(), childName());
    return session;
}

QList<records::CardMove> Program::endCardSession(const CardSession &session) {
    const records::CardBox *box = session.kind ? cardBox() : nullptr;
    return box ? box->movedOn(*session.kind, session.before) : QList<records::CardMove>();
}

void Program::finishCardSession(const CardSession &session) {
    if (isEnding())
        return;
    const QList<records::CardMove> moves = endCardSession(session);
    if (!moves.isEmpty())
        showTransient(new Fortschritt(moves, background()));
}

void Program::printLearningCards(const QStringList &entries) {
    if (auto *printer = dynamic_cast<CardPrinter *>(screen(ScreenId::Drucken1)))
        printer->printCards(entries);
}

QString Program::childName() const {
    const QString greeted = nameField().trimmed();
    return greeted.isEmpty() ? nameLabel() : greeted;
}

Syllabifier &Program::syllables() {
    if (!m_syllables) {
        m_syllables = std::make_unique<Syllabifier>(m_syllablePatternFile);
        loadSyllableList();
    }
    return *m_syllables;
}

void Program::loadSyllableList() {
    // Teachers write the name as they like; the exact spelling wins.
    const QString wanted = Syllabifier::overrideFileName();
    QString list;
    for (const QString &name : QDir::current().entryList(QDir::Files))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0 && (list.isEmpty() || name == wanted))
            list = name;
    if (!list.isEmpty())
        m_syllables->loadOverrides(QDir::current().filePath(list));
    else
        m_syllables->parseOverrides(QByteArray());
}

void Program::syllableListChanged() {
    if (m_syllables)
        loadSyllableList();
}

void Program::prepareSyllables() {
    if (!extras().showsSyllables() || m_syllablesPrepared)
        return;
    m_syllablesPrepared = true;
    syllables().preload([relay = m_relay] { relay->syllablesReady(); });
}

std::optional<wordstrip::Syllables> Program::syllablesOf(const QString &noun, bool wait) {
    if (!extras().showsSyllables())
        return std::nullopt;
    const Syllabifier &s = syllables();
    const bool ready = s.ready();
    // Also when paper waits: the strips on show hear that the patterns are there.
    prepareSyllables();
    if (!wait && !ready)
        return std::nullopt;
    wordstrip::Syllables shown;
    shown.breaks = s.breaks(noun);
    shown.coloured = extras().syllableColours;
    shown.first = palette::colour(extras().syllableColour1);
    shown.second = palette::colour(extras().syllableColour2);
    return shown;
}

QString Program::greeting() const {
    return QStringLiteral("Hallo ") + nameField() + QStringLiteral(" !\r\r");
}

void Program::showScreen(ScreenId id) {
    Screen *s = screen(id);
    if (!s)
        return;
    hideMenu();
    s->showAndActivate();
}

Screen *Program::screen(ScreenId id) {
    auto it = m_screens.find(id);
    if (it != m_screens.end())
        return it->second;
    Screen *s = m_factory ? m_factory(id, *this) : nullptr;
    if (s) {
        m_screens[id] = s;
        // Loading centres the window once; many windows centre again on activation.
        if (s->centresOnLoad())
            s->centre();
    }
    return s;
}

Screen *Program::existing(ScreenId id) const {
    auto it = m_screens.find(id);
    return it == m_screens.end() ? nullptr : it->second;
}

void Program::leave(Screen *s) {
    if (s)
        s->hide();
    showMenu();
}

void Program::closedByTitleBar(Screen *s) {
    for (auto it = m_screens.begin(); it != m_screens.end(); ++it) {
        if (it->second == s) {
            m_screens.erase(it);
            break;
        }
    }
    if (lastActive() == s)
        forgetActive();
    s->hide();
    // Deleted later: the close may come from inside the window's own handlers.
    s->deleteLater();
    m_discarded.erase(std::remove_if(m_discarded.begin(), m_discarded.end(),
                                     [](const QPointer<Screen> &p) { return p.isNull(); }),
                      m_discarded.end());
    m_discarded.emplace_back(s);
    showMenu();
}

void Program::destroyAll() {
    setEnding();
    auto screens = m_screens;
    m_screens.clear();
    for (auto &[id, s] : screens) {
        Q_UNUSED(id);
        delete s;
    }
    for (const QPointer<Screen> &s : m_discarded)
        delete s.data();
    m_discarded.clear();
    for (const QPointer<QWidget> &w : m_transients)
        delete w.data();
    m_transients.clear();
    forgetActive();
}

void Program::showTransient(QWidget *window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_transients.erase(std::remove_if(m_transients.begin(), m_transients.end(),
                                      [](const QPointer<QWidget> &p) { return p.isNull(); }),
                       m_transients.end());
    m_transients.emplace_back(window);
    // After the window that ends the session has given way to the main menu.
    QTimer::singleShot(0, window, [window] {
        window->show();
        window->raise();
        window->activateWindow();
    });
}

void Program::setPictureSize(const QSize &tw) {
    auto to16 = [](int v) { return qint16(qBound(-32768, v, 32767)); };
    m_pictureWidth = to16(tw.width());
    m_pictureHeight = to16(tw.height());
}
