#include "app/screens.h"

#include "app/TRVLABEL.h"
#include "exercises/exercises.h"
#include "games/games.h"
#include "log/Form11.h"
#include "log/verlauf.h"
#include "worksheets/worksheets.h"

Screen *createScreen(ScreenId id, Program &program) {
    switch (id) {
    case ScreenId::Form11:
        return new Form11(program);
    case ScreenId::Verlauf:
        return new Verlauf(program);
    case ScreenId::TrvLabel:
        return new TRVLABEL(program);
    default:
        break;
    }
    if (Screen *s = exercises::create(id, program))
        return s;
    if (Screen *s = games::create(id, program))
        return s;
    return worksheets::create(id, program);
}
