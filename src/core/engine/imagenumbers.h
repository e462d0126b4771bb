#pragma once

// The running number in image names. A file's images take the numbers after the previous
// file's; a file joined into one TIFF passes its last number on; a file without pages takes
// none; a run's last file does not advance the counter, which lives as long as its owner.
// Numbers are handed out in list order before anything renders, so they never depend on how
// many files render at once.
class ImageNumbers final
{
public:
    // The first number of the next file.
    int next() const { return number + (advancePending ? 1 : 0); }
    // Hands out the numbers of a file's images and gives the first.
    int assign(int images, bool joined);
    void endRun() { advancePending = false; }
    // Files that did not finish get the same names when they run again.
    void restartAt(int first);

private:
    int number = 1;
    bool advancePending = false;
};
