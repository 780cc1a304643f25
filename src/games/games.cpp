#include "games/games.h"

#include "games/Form7.h"
#include "games/Form8.h"
#include "games/fang.h"
#include "games/galgen.h"
#include "games/memo.h"

namespace games {

Screen *create(ScreenId id, Program &program) {
    switch (id) {
    case ScreenId::Galgen:
        return new galgen(program);
    case ScreenId::Memo:
        return new memo(program);
    case ScreenId::Fang:
        return new fang(program);
    case ScreenId::Form7:
        return new Form7(program);
    case ScreenId::Form8:
        return new Form8(program);
    default:
        return nullptr;
    }
}

} // namespace games
