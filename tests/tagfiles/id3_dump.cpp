// Prints what the music page would show of a file's ID3v2 tag (title, artist,
// album, year as UTF-8, one per line, or "no ID3v2 Tag"), then the process's
// peak resident memory in KiB, for the tests that check the reader against
// tags written by other tools and its memory use on huge files.
#include <sys/resource.h>

#include <iostream>

#include "PosixTagFiles.h"
#include "music/TagText.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: id3_dump FILE\n";
        return 2;
    }
    brumo::PosixTagFiles files;
    brumo::ID3v2TagInfo info;
    if (brumo::ReadID3v2Tag(argv[1], info, files)) {
        using brumo::TagTextForDisplay;
        std::cout << "Title: " << TagTextForDisplay(info.Title)
                  << "\nArtist: " << TagTextForDisplay(info.Artist)
                  << "\nAlbum: " << TagTextForDisplay(info.Album)
                  << "\nYear: " << TagTextForDisplay(info.Year) << '\n';
    } else {
        std::cout << "no ID3v2 Tag\n";
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "Peak KiB: " << usage.ru_maxrss << '\n';
    return 0;
}
