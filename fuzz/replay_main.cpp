// Runs a fuzz harness over every file of a corpus folder once: the corpus as a regression test.
// A corpus that is missing, empty or unreadable fails, so the test cannot pass by running nothing.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path corpus = argv[1];
    std::error_code ec;
    fs::directory_iterator it(corpus, ec);
    if (ec) {
        std::fprintf(stderr, "Cannot read the corpus folder %s: %s\n", corpus.c_str(),
                     ec.message().c_str());
        return 1;
    }
    int count = 0;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc))
            continue;
        std::ifstream in(it->path(), std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "Cannot read the corpus file %s\n", it->path().c_str());
            return 1;
        }
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++count;
    }
    if (ec) {
        std::fprintf(stderr, "Cannot list the corpus folder %s: %s\n", corpus.c_str(),
                     ec.message().c_str());
        return 1;
    }
    if (count == 0) {
        std::fprintf(stderr, "The corpus folder %s holds no files: nothing was tested\n",
                     corpus.c_str());
        return 1;
    }
    std::printf("%d passed, 0 failed\n", count);
    return 0;
}
