#pragma once
// Learning cards: nine strips per page, the noun on the left half, article
// and picture on the right; folded in the middle they make two-sided cards.

#include "program/program.h"
#include "worksheets/worksheetframe.h"

class drucken1 : public WorksheetFrame, public CardPrinter {
    Q_OBJECT
public:
    explicit drucken1(Program &program);
    void printCards(const QStringList &entries) override { printEntries(entries); }
    void previewRoutine(Surface &s, const WorksheetPage &page) const override;
    void pageRoutine(Surface &s, const WorksheetPage &page) const override;
};
