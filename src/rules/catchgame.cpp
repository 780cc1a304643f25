#include "rules/catchgame.h"

#include "core/random.h"

void CatchGame::prepare(const QString &word) {
    m_player = QPoint(9, 6);
    m_word = word;
    if (m_word.isEmpty() || m_word.size() > kMaxLetters)
        m_word = QStringLiteral("Wortfange");
    m_caught.clear();
    m_cells = QVector<QPoint>(m_word.size(), QPoint(-1, -1));
    m_seconds = 0;
    m_running = false;
}

void CatchGame::start(Random &random) {
    m_running = true;
    scatter(random);
    check();
}

void CatchGame::scatter(Random &random) {
    m_cells.resize(m_word.size());
    for (int i = 0; i < m_word.size(); ++i) {
        QPoint c;
        for (;;) {
            c.setX(random.index(kColumns));
            c.setY(random.index(kRows));
            if (c != m_player && !m_cells.mid(0, i).contains(c))
                break;
        }
        m_cells[i] = c;
    }
}

void CatchGame::catchNext() {
    m_caught += m_word.left(1);
    m_word.remove(0, 1);
    if (!m_cells.isEmpty())
        m_cells.removeFirst();
}

int CatchGame::check() {
    if (!m_running)
        return 0;
    int caught = 0;
    if (!m_word.isEmpty() && m_cells.value(0) == m_player) {
        catchNext();
        ++caught;
    }
    while (m_word.startsWith(QLatin1Char(' '))) {
        catchNext();
        ++caught;
    }
    if (m_word.isEmpty())
        m_running = false;
    return caught;
}

int CatchGame::move(int dx, int dy) {
    m_player.setX(qBound(0, m_player.x() + dx, kColumns - 1));
    m_player.setY(qBound(0, m_player.y() + dy, kRows - 1));
    return check();
}

bool CatchGame::tick(int interval, Random &random) {
    if (!m_running)
        return false;
    ++m_seconds;
    if (interval > 0 && m_seconds % interval == 0) {
        scatter(random);
        check();
        return true;
    }
    return false;
}
