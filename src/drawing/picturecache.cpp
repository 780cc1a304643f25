#include "drawing/picturecache.h"

PictureCache::PictureCache(qint64 budgetBytes) : m_budget(budgetBytes) {}

PictureCache &PictureCache::global() {
    static PictureCache cache(kDefaultBudget);
    return cache;
}

QImage PictureCache::find(const QString &file, QSize want) {
    const std::lock_guard lock(m_mutex);
    auto [first, last] = m_byFile.equal_range(file);
    for (auto it = first; it != last; ++it) {
        const QSize have = it->second->image.size();
        // Much larger images would draw blurred and cost memory for nothing.
        if (have.width() >= want.width() && have.height() >= want.height() &&
            have.width() <= 2 * want.width() && have.height() <= 2 * want.height()) {
            m_items.splice(m_items.begin(), m_items, it->second);
            return it->second->image;
        }
    }
    return QImage();
}

void PictureCache::insert(const QString &file, const QImage &image) {
    const qint64 bytes = image.sizeInBytes();
    const std::lock_guard lock(m_mutex);
    if (image.isNull() || bytes > m_budget)
        return;
    // An image of the same size replaces the one kept (two threads may
    // decode the same picture at once).
    auto [first, last] = m_byFile.equal_range(file);
    for (auto it = first; it != last; ++it)
        if (it->second->image.size() == image.size()) {
            m_bytes -= it->second->bytes;
            m_items.erase(it->second);
            m_byFile.erase(it);
            break;
        }
    evictLocked(m_budget - bytes);
    m_items.push_front(Item{file, image, bytes});
    m_byFile.emplace(file, m_items.begin());
    m_bytes += bytes;
}

void PictureCache::evictLocked(qint64 limit) {
    while (m_bytes > limit && !m_items.empty()) {
        const auto victim = std::prev(m_items.end());
        auto [first, last] = m_byFile.equal_range(victim->file);
        for (auto it = first; it != last; ++it)
            if (it->second == victim) {
                m_byFile.erase(it);
                break;
            }
        m_bytes -= victim->bytes;
        m_items.erase(victim);
    }
}

void PictureCache::setBudget(qint64 bytes) {
    const std::lock_guard lock(m_mutex);
    m_budget = bytes;
    evictLocked(bytes);
}

qint64 PictureCache::budget() const {
    const std::lock_guard lock(m_mutex);
    return m_budget;
}

qint64 PictureCache::bytes() const {
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

int PictureCache::count() const {
    const std::lock_guard lock(m_mutex);
    return int(m_items.size());
}

void PictureCache::clear() {
    const std::lock_guard lock(m_mutex);
    m_items.clear();
    m_byFile.clear();
    m_bytes = 0;
}
