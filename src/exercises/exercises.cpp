#include "exercises/exercises.h"

#include "exercises/Form10.h"
#include "exercises/Form2.h"
#include "exercises/Form3.h"
#include "exercises/Form4.h"
#include "exercises/Form5.h"
#include "exercises/Form6.h"
#include "exercises/Form9.h"

namespace exercises {

Screen *create(ScreenId id, Program &program) {
    switch (id) {
    case ScreenId::Form2:
        return new Form2(program);
    case ScreenId::Form3:
        return new Form3(program);
    case ScreenId::Form4:
        return new Form4(program);
    case ScreenId::Form5:
        return new Form5(program);
    case ScreenId::Form6:
        return new Form6(program);
    case ScreenId::Form9:
        return new Form9(program);
    case ScreenId::Form10:
        return new Form10(program);
    default:
        return nullptr;
    }
}

} // namespace exercises
