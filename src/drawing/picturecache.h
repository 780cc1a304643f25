#pragma once
// The program's one store of decoded raster pictures. Every screen draws its
// pictures through it, so the memory that decoded pixels take is bounded in
// one place: a budget in bytes, least recently used out. It locks itself, so
// decoding threads and the GUI thread may use it at once.

#include <QImage>
#include <QString>
#include <list>
#include <mutex>
#include <unordered_map>

class PictureCache {
public:
    explicit PictureCache(qint64 budgetBytes);
    PictureCache(const PictureCache &) = delete;
    PictureCache &operator=(const PictureCache &) = delete;

    /// The cache every picture of the program draws from. Its budget holds
    /// the pictures of several screens at their on-screen size.
    static PictureCache &global();
    static constexpr qint64 kDefaultBudget = 12LL * 1024 * 1024;

    /// An image of `file` that serves a drawing of `want` pixels: at least as
    /// large, at most twice as large in each direction; null if none is kept.
    QImage find(const QString &file, QSize want);
    /// Keeps the image as the most recently used one, dropping the least
    /// recently used images beyond the budget. An image larger than the whole
    /// budget is not kept.
    void insert(const QString &file, const QImage &image);

    void setBudget(qint64 bytes);
    qint64 budget() const;
    /// Bytes of pixels held now.
    qint64 bytes() const;
    int count() const;
    void clear();

private:
    struct Item {
        QString file;
        QImage image;
        qint64 bytes;
    };
    using Lru = std::list<Item>; // front: most recently used
    void evictLocked(qint64 limit);

    mutable std::mutex m_mutex;
    Lru m_items;
    std::unordered_multimap<QString, Lru::iterator> m_byFile;
    qint64 m_budget;
    qint64 m_bytes = 0;
};
