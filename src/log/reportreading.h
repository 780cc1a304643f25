#pragma once
// Reading the report's figures off the window thread. A class keeps a whole
// school year of answers in one child's file, which takes longer to read
// than a window may stand still; and between two looks the file has mostly
// only grown, so only what was appended is read again (records::AnswerFile).

#include "records/answerfile.h"
#include "records/cardbox.h"
#include "records/recordstore.h"
#include "records/report.h"

#include <QDate>
#include <QList>
#include <QString>
#include <atomic>

namespace verlauf {

/// What the report window asks for.
struct ReadingRequest {
    /// The records folder: its children are listed and one of them is read.
    QString folder;
    /// The child to show: by name, else by `fallback`, else the first child.
    QString wanted;
    QString fallback;
    /// The class list: these children come first, also those without a file.
    QStringList classNames;
    /// Reads just this file and lists nothing (another child chosen).
    QString path;
    QDate today;
    /// The time the card box is replayed at (the end of today without one).
    QDateTime now;
};

/// What the report window shows.
struct Reading {
    bool listed = false; // `children` is a fresh listing
    QList<records::ChildFile> children;
    int chosen = -1; // index into children, when listed
    QString path;
    records::Report report;
    QStringList practice;
    /// The child's card box as of the request's time.
    records::CardBox box;
    /// Why the child's file could not be read (German), else empty.
    QString problem;
    bool cancelled = false;
};

/// The children of the class list first, in its order (a child without a
/// file yet with the path its file would have), then the others.
QList<records::ChildFile> classFirst(QList<records::ChildFile> children,
                                     const QStringList &classNames,
                                     const records::RecordStore &store);

/// Lists and reads as asked. Plain code for a worker thread; `file` keeps
/// the answers read for the next call.
Reading readReport(records::AnswerFile &file, const ReadingRequest &request,
                   const std::atomic<bool> *cancelled = nullptr);

} // namespace verlauf
