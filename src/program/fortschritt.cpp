#include "program/fortschritt.h"

#include "core/nouns.h"
#include "drawing/picture.h"
#include "ui/controls.h"
#include "ui/highcontrast.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>
#include <QtMath>

namespace {

constexpr int kWidth = 780;
constexpr int kHeight = 330;
constexpr int kCompartments = records::CardBox::kKnown;
constexpr QSize kCard(64, 64);
const QColor kWindow(192, 192, 255); // the exercise windows' background
const QColor kWall(128, 128, 255);   // their bars
const QColor kKnown(0, 192, 0);      // the green of their instructions

} // namespace

Fortschritt::Fortschritt(const QList<records::CardMove> &moves, const QColor &stripColour)
    : m_moves(moves), m_strip(stripColour) {
    setObjectName(QStringLiteral("Karteikasten"));
    setWindowTitle(QStringLiteral("Kalimbo (Karteikasten)"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Pictures small enough for a card; a noun without one shows its word.
    for (qsizetype i = 0; i < m_moves.size() && i < kMostCards; ++i) {
        const Picture p = Picture::load(m_moves[i].entry);
        m_faces << (p.isNull() ? QImage() : p.render(kCard - QSize(8, 8)));
    }
    m_slide = new QVariantAnimation(this);
    m_slide->setStartValue(0.0);
    m_slide->setEndValue(1.0);
    m_slide->setDuration(1600);
    m_slide->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        m_slid = v.toDouble();
        update();
    });
    // A moment to see where the cards were before they move.
    QTimer::singleShot(500, m_slide, [this] { m_slide->start(); });
}

QRectF Fortschritt::compartment(int c) const {
    // Six compartments side by side, the known one last; the box's front
    // wall is lower than its back, so the cards stand visibly inside.
    const double w = (kWidth - 24.0 - 5 * 8.0) / kCompartments;
    return QRectF(12 + (c - 1) * (w + 8), 130, w, 180);
}

QRectF Fortschritt::cardRect(int c, int place) const {
    if (c <= 0) // a new noun waits above the box, left of the first compartment
        return QRectF(QPointF(16 + place * (kCard.width() + 6), 20), QSizeF(kCard));
    // Cards fanned out across their compartment, a row further back when full.
    const QRectF box = compartment(c);
    const int perRow = 3;
    const double step = (box.width() - 12 - kCard.width()) / (perRow - 1);
    const int row = place / perRow;
    return QRectF(QPointF(box.left() + 6 + (place % perRow) * step, box.top() + 24 - row * 16),
                  QSizeF(kCard));
}

void Fortschritt::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), kWindow);
    // Back walls, then the cards, then the front walls over their feet.
    for (int c = 1; c <= kCompartments; ++c) {
        const QRectF box = compartment(c);
        p.fillRect(box, c == kCompartments ? kKnown.lighter(150) : kWall.lighter(130));
    }
    // Cards leaving or reaching one compartment stand side by side there;
    // those further back are drawn first.
    QList<int> leaving(kCompartments + 1, 0), reaching(kCompartments + 1, 0);
    QList<QRectF> at;
    for (qsizetype i = 0; i < m_faces.size(); ++i) {
        const records::CardMove &m = m_moves[i];
        const QRectF from = cardRect(m.from, leaving[qBound(0, m.from, kCompartments)]++ % 10);
        const QRectF to = cardRect(m.to, reaching[qBound(0, m.to, kCompartments)]++);
        // Lifted out, carried over and let down into the new compartment.
        const double t = m_slid;
        at << from.translated((to.topLeft() - from.topLeft()) * t)
                  .translated(0, -qSin(t * M_PI) * 70);
    }
    for (qsizetype i = at.size() - 1; i >= 0; --i) {
        const QRectF &card = at[i];
        p.setPen(QPen(kWall.darker(150), 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 6, 6);
        const QImage &face = m_faces[i];
        if (!face.isNull()) {
            const QSizeF fit =
                QSizeF(face.size()).scaled(card.size() - QSizeF(8, 8), Qt::KeepAspectRatio);
            p.drawImage(QRectF(card.center() - QPointF(fit.width(), fit.height()) / 2, fit), face);
        } else {
            p.setPen(highcontrast::readable(
                m_strip.isValid() && m_strip != Qt::white ? m_strip : kWall.darker(200),
                Qt::white));
            p.setFont(controls::verdana(7, true));
            p.drawText(card.adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWrapAnywhere,
                       nouns::nounOf(m_moves[i].entry));
        }
    }
    for (int c = 1; c <= kCompartments; ++c) {
        const QRectF box = compartment(c);
        const QRectF front(box.left(), box.top() + 76, box.width(), box.height() - 76);
        const QColor wall = c == kCompartments ? kKnown : kWall;
        p.setPen(QPen(wall.darker(140), 2));
        p.setBrush(wall);
        p.drawRect(front);
        // The known compartment carries a star instead of a number.
        if (c == kCompartments) {
            QPainterPath star;
            const QPointF mid = front.center();
            for (int k = 0; k < 10; ++k) {
                const double r = k % 2 ? 9 : 22;
                const double a = -M_PI / 2 + k * M_PI / 5;
                const QPointF pt = mid + QPointF(qCos(a) * r, qSin(a) * r);
                k ? star.lineTo(pt) : star.moveTo(pt);
            }
            star.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 0));
            p.drawPath(star);
        }
    }
}

void Fortschritt::mousePressEvent(QMouseEvent *) {
    close();
}
