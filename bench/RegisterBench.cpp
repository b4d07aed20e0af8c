// The student register at the sizes a busy shared data folder can reach.
#include "activities/StudentRecord.h"
#include "activities/StudentRegister.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

std::string student_name(int i) { return std::to_string(100000 + i).insert(0, "student"); }

// A folder holding a register of count students, removed afterwards.
class BenchRegister {
public:
    explicit BenchRegister(int count) : m_count(count)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sprout-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_folder = pattern + "/";
        std::ofstream out(file(), std::ios::binary);
        for (int i = 1; i <= count; ++i) {
            auto record = StudentRecord::make_new(static_cast<std::uint16_t>(i), student_name(i), "", "", 11, 1);
            out.write(reinterpret_cast<char const*>(record.data()), StudentRecord::size);
        }
    }
    ~BenchRegister() { std::filesystem::remove_all(m_folder); }

    std::string const& folder() const { return m_folder; }
    std::string file() const { return m_folder + "students.dat"; }
    // Back to the students it was made with.
    void reset() const { std::filesystem::resize_file(file(), std::uintmax_t(m_count) * StudentRecord::size); }

private:
    int m_count;
    std::string m_folder;
};

void FindStudentIn65534(benchmark::State& state)
{
    BenchRegister reg(65534);
    std::string const last = student_name(65534);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindStudent(last, "", "", reg.folder()));
}

void AddNewStudentTo10000(benchmark::State& state)
{
    BenchRegister reg(10000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(AddStudent(11, 1, "newcomer", "", "", reg.folder()));
        state.PauseTiming();
        reg.reset();
        state.ResumeTiming();
    }
}

void ReadStudentsOf10000(benchmark::State& state)
{
    BenchRegister reg(10000);
    auto slots = std::make_unique<StudentSlots>();
    for (auto _ : state) {
        ReadStudents(reg.folder(), *slots);
        benchmark::DoNotOptimize(slots->data());
    }
}

}

BENCHMARK(FindStudentIn65534)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(AddNewStudentTo10000)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(ReadStudentsOf10000)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
