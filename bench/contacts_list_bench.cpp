// The Contacts list over 100,000 persons in memory, named as bench/make-persons.py names them (a
// few dozen first and last names, accents, one in eight without a last name). The index made
// from the book is the list's part of the first screen beyond reading the store; "index MB" is
// what it holds and "heap MB" the allocator's bytes in use for it. One keystroke of search is what
// the screen does when the search bar's text grows by one letter: the persons kept, in sections,
// the table reloaded, laid out and drawn.
#include "ContactsList.h"
#include "ContactsListViewController.h"
#include "addressbook/InMemoryAddressBook.h"
#include "uikit/Automation.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kPersons = 100'000;

std::shared_ptr<ab::InMemoryAddressBook> book(int count)
{
    static const char* const first[] = {"Ana",    "bruno",    "Carla",   "Davi",  "Érica",
                                        "Fábio",  "Gabriela", "Heitor",  "Íris",  "João",
                                        "karina", "Luís",     "Mariana", "Nuno",  "Otávio",
                                        "Paula",  "Quitéria", "Rafael",  "Sofia", "Tiago",
                                        "Úrsula", "Vitor",    "Wagner",  "Yara",  "Zé"};
    static const char* const last[] = {"Silva",    "Santos",  "Oliveira", "Souza",    "Rodrigues",
                                       "Ferreira", "Alves",   "Pereira",  "Lima",     "Gomes",
                                       "Costa",    "Ribeiro", "Martins",  "Carvalho", "Almeida",
                                       "Lopes",    "Soares"};
    std::mt19937 random(20090310);
    std::vector<ab::Person> persons(static_cast<size_t>(count));
    for (ab::Person& person : persons) {
        person.first_name = first[random() % std::size(first)];
        if (random() % 8 != 0)
            person.last_name = last[random() % std::size(last)];
    }
    auto made = std::make_shared<ab::InMemoryAddressBook>();
    made->save(persons);
    return made;
}

void BM_MakeTheIndex(benchmark::State& state)
{
    const auto persons = book(int(state.range(0)));
    size_t indexBytes = 0, heapBytes = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        const auto index = contactsapp::ContactIndex::of_book(*persons);
        state.PauseTiming();
        heapBytes = mallinfo2().uordblks - before;
        indexBytes = index.memory_bytes();
        state.ResumeTiming();
    }
    state.counters["index MB"] = double(indexBytes) / 1e6;
    state.counters["heap MB"] = double(heapBytes) / 1e6;
}
BENCHMARK(BM_MakeTheIndex)->Arg(1'000)->Arg(kPersons)->Unit(benchmark::kMillisecond);

// Each iteration types one letter more of "Ana Silva" (then starts again from its first), so it
// narrows the list as a user typing a name does; the first letters keep the most persons.
void BM_OneKeystrokeOfSearch(benchmark::State& state)
{
    auto list = std::make_shared<ContactsListViewController>(book(int(state.range(0))));
    auto navigation = std::make_shared<UINavigationController>(list);
    auto window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    window->addSubview(navigation->view());
    window->makeKeyAndVisible();
    uikit::runPendingWork();
    const std::string name = "Ana Silva";
    size_t typed = 0;
    for (auto _ : state) {
        typed = typed % name.size() + 1;
        list->searchBar_textDidChange(list->searchBar(), name.substr(0, typed));
        uikit::runPendingWork();
        benchmark::DoNotOptimize(uikit::screenshot());
    }
    window.reset();
    navigation.reset();
    list.reset();
    uikit::runPendingWork();
}
BENCHMARK(BM_OneKeystrokeOfSearch)->Arg(1'000)->Arg(kPersons)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
