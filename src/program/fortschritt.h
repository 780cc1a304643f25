#pragma once
// The child's progress after a session with the card box (an exercise or
// hangman): a drawn card box
// of five compartments and the known one, into which the cards of the nouns
// that moved on (their pictures) slide from where they were. Nothing to
// read and no numbers; a click anywhere closes it.

#include "records/cardbox.h"

#include <QImage>
#include <QList>
#include <QWidget>

class QVariantAnimation;

class Fortschritt : public QWidget {
    Q_OBJECT
public:
    /// The moves as the card box gives them, furthest first; `stripColour`
    /// is the main menu's background (the word strips' colour).
    Fortschritt(const QList<records::CardMove> &moves, const QColor &stripColour);

    const QList<records::CardMove> &moves() const { return m_moves; }
    /// How far the cards have slid, from 0 to 1.
    double slid() const { return m_slid; }

    /// The cards shown (more would only cover each other).
    static constexpr int kMostCards = 12;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    /// Where a card stands in compartment c (0: above the box, not yet in it).
    QRectF cardRect(int compartment, int place) const;
    QRectF compartment(int c) const;

    QList<records::CardMove> m_moves;
    QList<QImage> m_faces; // one per move shown
    QColor m_strip;
    double m_slid = 0;
    QVariantAnimation *m_slide = nullptr;
};
