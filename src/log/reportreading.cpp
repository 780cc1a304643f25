#include "log/reportreading.h"

#include <future>

using namespace records;

namespace verlauf {

QList<records::ChildFile> classFirst(QList<records::ChildFile> children,
                                     const QStringList &classNames, const RecordStore &store) {
    QList<records::ChildFile> out;
    for (const QString &name : classNames) {
        // The exact name first; else the same name in another letter case.
        qsizetype found = -1;
        for (qsizetype i = 0; i < children.size() && found < 0; ++i)
            if (children[i].name == name)
                found = i;
        for (qsizetype i = 0; i < children.size() && found < 0; ++i)
            if (children[i].name.toCaseFolded() == name.toCaseFolded())
                found = i;
        if (found >= 0)
            out << children.takeAt(found);
        else
            out << records::ChildFile{name, store.pathFor(name)}; // no answers yet
    }
    return out + children;
}

Reading readReport(records::AnswerFile &file, const ReadingRequest &request,
                   const std::atomic<bool> *cancelled) {
    Reading out;
    out.path = request.path;
    if (!request.folder.isEmpty()) {
        out.listed = true;
        const RecordStore store(request.folder);
        out.children = classFirst(store.children(), request.classNames, store);
        auto find = [&](const QString &name) {
            for (int i = 0; i < out.children.size(); ++i)
                if (!name.isEmpty() && out.children[i].name == name)
                    return i;
            return -1;
        };
        out.chosen = find(request.wanted);
        if (out.chosen < 0)
            out.chosen = find(request.fallback);
        if (out.chosen < 0 && !out.children.isEmpty())
            out.chosen = 0;
        out.path = out.chosen >= 0 ? out.children[out.chosen].path : QString();
    }
    if (out.path.isEmpty())
        return out;
    if (!file.update(out.path, &out.problem, cancelled)) {
        out.cancelled = out.problem.isEmpty();
        return out;
    }
    if (cancelled && cancelled->load()) {
        out.cancelled = true;
        return out;
    }
    const QList<Record> &answers = file.answers();
    // Practice counts answers up to the end of today by the program's clock.
    const QDateTime endOfToday(request.today.addDays(1), QTime(0, 0));
    auto practice = std::async(std::launch::async, [&answers, endOfToday] {
        return practiceEntries(answers, endOfToday);
    });
    out.report = buildReport(answers, request.today);
    out.box.replay(answers, request.now.isValid() ? request.now : endOfToday.addSecs(-1));
    out.practice = practice.get();
    return out;
}

} // namespace verlauf
