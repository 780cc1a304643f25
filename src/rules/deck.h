#pragma once
// The working list of the one-noun exercise screens, without widgets: every
// entry of the noun list once per pass, in random order, copied afresh from
// the noun list when it runs low. Entries put first (a child's missed nouns,
// due cards) are drawn before the random draw resumes and take no random
// number, so the draws that follow stay those of the plain pass.

#include <QString>
#include <QStringList>
#include <functional>

class Random;

class Deck {
public:
    /// refillBelow: a draw refills the pass when it holds fewer entries than
    /// this (1: only when it is empty).
    explicit Deck(const QStringList &nouns = {}, int refillBelow = 1);

    /// The noun list the next pass is copied from. The pass under way keeps
    /// its entries: a new noun comes at the next refill.
    void setNouns(const QStringList &nouns);
    const QStringList &nouns() const { return m_nouns; }
    /// Entries not in `present` (their pictures are gone) leave the noun
    /// list, the pass and the entries put first: they are never drawn again.
    void keepOnly(const QStringList &present);

    /// Asked at every refill for the entries the new pass begins with; those
    /// not in the new pass are left out.
    std::function<QStringList()> firstInPass;
    /// These entries come next, in this order, before the random draw
    /// resumes; each is drawn while it is in the pass or the noun list.
    void putFirst(const QStringList &entries);
    /// Those of these entries still to come first come when drawn at random.
    void withdraw(const QStringList &entries);
    /// Entries still to come first.
    const QStringList &upNext() const { return m_first; }

    /// Takes the next entry out of the pass, refilling first as the deck's
    /// rule says. Empty only when the noun list itself is empty.
    QString draw(Random &random);
    /// Empties the pass and copies the noun list into it, in order.
    void refill();
    /// Entries not yet drawn in this pass.
    const QStringList &remaining() const { return m_pass; }

private:
    QStringList m_nouns;
    QStringList m_pass;
    QStringList m_first;
    int m_refillBelow;
};
