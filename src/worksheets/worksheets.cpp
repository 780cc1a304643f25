#include "worksheets/worksheets.h"

#include "worksheets/anlauttabelle.h"
#include "worksheets/drucken1.h"
#include "worksheets/drucken2.h"
#include "worksheets/drucken3.h"
#include "worksheets/schreiblinien.h"
#include "worksheets/schriften.h"

namespace worksheets {

Screen *create(ScreenId id, Program &program) {
    switch (id) {
    case ScreenId::Drucken1:
        return new drucken1(program);
    case ScreenId::Drucken2:
        return new drucken2(program);
    case ScreenId::Drucken3:
        return new drucken3(program);
    case ScreenId::Schriften:
        return new schriften(program);
    case ScreenId::Schreiblinien:
        return new Schreiblinien(program);
    case ScreenId::Anlauttabelle:
        return new Anlauttabelle(program);
    default:
        return nullptr;
    }
}

} // namespace worksheets
