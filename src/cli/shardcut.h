#pragma once

#include <QList>

// How a plan is cut into shards for several machines.
namespace ShardCut {

// A run of pages of one file: the images from offset, count of them.
struct Slice
{
    int file = 0;
    int offset = 0;
    int count = 0;
};

// The slices of shard, of shards, of files with these numbers of images, cut so that each shard
// holds about as many images: a file may be cut between shards, but not a whole one (a joined
// TIFF), which goes where its middle falls. A file without images goes where it stands. The
// slices of all shards hold every image once.
QList<Slice> slices(const QList<int> &images, const QList<bool> &whole, int shard, int shards);

} // namespace ShardCut
