#include "support/fakeprogram.h"

#include "app/screens.h"
#include "drawing/fonts.h"
#include "log/Form11.h"

FakeProgram::FakeProgram() : Program(createScreen) {
    fonts::installSubstitutions();
}

FakeProgram::~FakeProgram() {
    destroyAll();
}

void FakeProgram::appendLog(LogList list, const QString &line) {
    Form11::appendTo(*this, list, line);
}

QStringList FakeProgram::log(LogList l) const {
    auto *w = dynamic_cast<Form11 *>(existing(ScreenId::Form11));
    return w ? w->lines(l) : QStringList();
}

void FakeProgram::showMenu() {
    ++menuShows;
    menuVisible = true;
    forgetActive(); // the main menu became the active window
}
