#include "support/scriptedrandom.h"

double ScriptedRandom::next() {
    ++calls;
    if (!script.isEmpty())
        return script.takeFirst();
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_gen);
}
