// Another program holding the history of a program folder, for the tests of
// one program per history: takes the folder's history lock, says "taken"
// (or "refused") on a line of its own, and holds the lock until its input
// ends or it is killed.
#include "app/session/history_lock.h"

#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " PROGRAM_FOLDER\n";
        return 2;
    }
    qudrim::app::HistoryLock lock{std::filesystem::path(argv[1])};
    const bool taken = lock.take() == qudrim::app::HistoryLock::Outcome::Taken;
    std::cout << (taken ? "taken" : "refused") << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
    }
    return taken ? 0 : 1;
}
