// Builds a history database in a folder from a text file of draws (one line
// per draw: issue, then the seven numbers), through the row builder. Used to
// prepare a program folder for screenshots and manual checks before the
// program has its own text import.
#include "store/history_store.h"
#include "support/history_fixture.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: qudrim_fill_history <program folder> <history text file>\n";
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << argv[2] << "\n";
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        qudrim::store::HistoryStore store(argv[1]);
        store.open();
        const auto draws = qudrim::testing::parseHistoryLines(text.str());
        qudrim::testing::fillStore(store, draws);
        std::cout << draws.size() << " draws stored\n";
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
