#pragma once
// Writing worksheets: nine rows, each with "der die das", the noun, its
// picture and two sets of four writing lines.

#include "worksheets/worksheetframe.h"

class drucken3 : public WorksheetFrame {
    Q_OBJECT
public:
    explicit drucken3(Program &program);
    void previewRoutine(Surface &s, const WorksheetPage &page) const override;
    void pageRoutine(Surface &s, const WorksheetPage &page) const override;
};
