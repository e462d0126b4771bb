#include "cli/shardcut.h"

#include <QtGlobal>

QList<ShardCut::Slice> ShardCut::slices(const QList<int> &images, const QList<bool> &whole,
                                        int shard, int shards)
{
    qint64 total = 0;
    for (const int count : images)
        total += count;
    // Shard k holds the images from k * total / shards up to the next shard's first.
    const auto start = [total, shards](qint64 k) {
        return k * total / shards;
    };
    QList<Slice> cut;
    qint64 position = 0;
    for (int file = 0; file < images.size(); ++file) {
        const int count = images.at(file);
        if (count == 0 || whole.value(file)) {
            const qint64 middle2 = 2 * position + count;
            const qint64 owner =
                total == 0 ? 0 : qMin<qint64>(shards - 1, middle2 * shards / (2 * total));
            if (owner == shard)
                cut.append({file, 0, count});
        } else {
            const qint64 from = qMax(position, start(shard));
            const qint64 to = qMin(position + count, start(shard + 1));
            if (from < to)
                cut.append({file, int(from - position), int(to - from)});
        }
        position += count;
    }
    return cut;
}
