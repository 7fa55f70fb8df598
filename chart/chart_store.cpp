#include "chart/chart_store.h"

#include "chart/platform.h"

#include <algorithm>
#include <cstring>

namespace {

bool RowBefore(const RowMark& m, int32_t row) {
    return m.row < row;
}

} // namespace

ChartStore::ChartStore(const SplSample* rows, size_t count) {
    Reserve(count);
    for (size_t i = 0; i < count; ++i)
        Append(rows[i]);
}

uint32_t ChartStore::NameIdAt(size_t i) const {
    auto after = std::upper_bound(nameRuns_.begin(), nameRuns_.end(), i,
                                  [](size_t row, const NameRun& run) { return row < run.row; });
    return after == nameRuns_.begin() ? 0 : std::prev(after)->id;
}

void ChartStore::KeepTimes(int32_t time) {
    time_.reserve(std::max(data_.capacity(), count_ + 1));
    for (size_t i = 0; i < count_; ++i)
        time_.push_back(TimeAt(i));
    time_.push_back(time);
    timeSteady_ = false;
}

uint32_t ChartStore::FlagsAt(size_t i) const {
    const RowMark* m = FindMark(static_cast<int32_t>(i));
    return m ? m->flags : 0;
}

SplSample ChartStore::Row(size_t i) const {
    SplSample s;
    if (i >= size()) return s;
    s.time = TimeAt(i);
    s.data = data_[i];
    const std::string& name = NameAt(i);
    std::memcpy(s.isotopeName, name.data(), std::min(name.size(), size_t{SPL_NAME_SIZE - 1}));
    s.smoothed = SmoothedAt(i);
    if (const RowMark* m = FindMark(static_cast<int32_t>(i))) {
        s.flags = m->flags;
        s.top[0] = m->top[0];
        s.top[1] = m->top[1];
        s.base[0] = m->base[0];
        s.base[1] = m->base[1];
    }
    return s;
}

const RowMark* ChartStore::FindMark(int32_t row) const {
    auto it = std::lower_bound(marks_.begin(), marks_.end(), row, RowBefore);
    return it != marks_.end() && it->row == row ? &*it : nullptr;
}

RowMark* ChartStore::FindMark(int32_t row) {
    return const_cast<RowMark*>(static_cast<const ChartStore*>(this)->FindMark(row));
}

RowMark& ChartStore::MarkOf(int32_t row) {
    auto it = std::lower_bound(marks_.begin(), marks_.end(), row, RowBefore);
    if (it != marks_.end() && it->row == row) return *it;
    RowMark m;
    m.row = row;
    return *marks_.insert(it, m);
}

void ChartStore::TidyMark(int32_t row) {
    auto it = std::lower_bound(marks_.begin(), marks_.end(), row, RowBefore);
    if (it != marks_.end() && it->row == row && (it->flags & SAMPLE_PEAK_BITS) == 0)
        marks_.erase(it);
}

void ChartStore::Reserve(size_t n) {
    data_.reserve(n);
    if (!timeSteady_) time_.reserve(n);
    if (!smoothed_.empty()) smoothed_.reserve(n);
}

void ChartStore::PrepareRoom() {
    auto prepare = [](auto& column) {
        using T = typename std::decay_t<decltype(column)>::value_type;
        platform::PrepareForWriting(column.data() + column.size(),
                                    (column.capacity() - column.size()) * sizeof(T));
    };
    prepare(data_);
    if (!timeSteady_) prepare(time_);
    if (!smoothed_.empty()) prepare(smoothed_);
}

uint32_t ChartStore::Intern(std::string_view name) {
    // Most rows repeat the name of the row before.
    if (!nameRuns_.empty() && names_[nameRuns_.back().id] == name) return nameRuns_.back().id;
    auto [it, added] =
        nameIndex_.try_emplace(std::string(name), static_cast<uint32_t>(names_.size()));
    if (added) names_.emplace_back(name);
    return it->second;
}

void ChartStore::SetLastSmoothed(double v) {
    if (smoothed_.empty()) {
        if (v == 0.0) return;
        smoothed_.reserve(data_.capacity());
        smoothed_.assign(count_, 0.0);
    }
    smoothed_.back() = v;
}

void ChartStore::Append(const SplSample& row) {
    AppendRow(row.time, row.data,
              Intern(std::string_view(row.isotopeName, strnlen(row.isotopeName, SPL_NAME_SIZE))));
    SetLastSmoothed(row.smoothed);
    if (row.flags & SAMPLE_PEAK_BITS) {
        RowMark m;
        m.row = static_cast<int32_t>(size() - 1);
        m.flags = row.flags;
        m.top[0] = row.top[0];
        m.top[1] = row.top[1];
        m.base[0] = row.base[0];
        m.base[1] = row.base[1];
        marks_.push_back(m);
    }
}

void ChartStore::AppendStore(const ChartStore& other) {
    const size_t offset = count_;
    const size_t n = other.count_;
    std::vector<uint32_t> remap(other.names_.size());
    for (size_t k = 0; k < other.names_.size(); ++k) {
        auto [it, added] =
            nameIndex_.try_emplace(other.names_[k], static_cast<uint32_t>(names_.size()));
        if (added) names_.push_back(other.names_[k]);
        remap[k] = it->second;
    }
    // Two rows fix a steady step: when the first two of other keep ours, all of them do.
    const bool bothSteady = timeSteady_ && other.timeSteady_;
    for (size_t k = 0; k < n; ++k) {
        if (k >= 2 && bothSteady && timeSteady_) break;
        AppendTime(other.TimeAt(k));
        ++count_;
    }
    count_ = offset + n;
    data_.insert(data_.end(), other.data_.begin(), other.data_.begin() + static_cast<ptrdiff_t>(n));
    for (const NameRun& run : other.nameRuns_) {
        const uint32_t id = remap[run.id];
        if (!nameRuns_.empty() && nameRuns_.back().id == id) continue;
        nameRuns_.push_back(NameRun{static_cast<uint32_t>(offset + run.row), id});
    }
    if (!other.smoothed_.empty() && smoothed_.empty()) {
        smoothed_.reserve(data_.capacity());
        smoothed_.assign(offset, 0.0);
    }
    if (!smoothed_.empty()) {
        if (other.smoothed_.empty())
            smoothed_.resize(count_, 0.0);
        else
            smoothed_.insert(smoothed_.end(), other.smoothed_.begin(),
                             other.smoothed_.begin() + static_cast<ptrdiff_t>(n));
    }
    for (RowMark m : other.marks_) {
        m.row += static_cast<int32_t>(offset);
        marks_.push_back(m);
    }
}

void ChartStore::Clear() {
    count_ = 0;
    timeSteady_ = true;
    timeFirst_ = timeStep_ = 0;
    time_.clear();
    data_.clear();
    nameRuns_.clear();
    smoothed_.clear();
    names_.clear();
    nameIndex_.clear();
    marks_.clear();
}

void ChartStore::PadColumns(size_t extra) {
    // Exactly the room asked for: a column that has to move does not double.
    data_.reserve(size() + extra);
    data_.resize(size() + extra, 0.0);
    if (smoothed_.empty()) return;
    smoothed_.reserve(size() + extra);
    smoothed_.resize(size() + extra, 0.0);
}

void ChartStore::ShrinkToFit() {
    time_.shrink_to_fit();
    data_.shrink_to_fit();
    nameRuns_.shrink_to_fit();
    smoothed_.shrink_to_fit();
    marks_.shrink_to_fit();
}

size_t ChartStore::BytesHeld() const {
    size_t bytes = time_.capacity() * sizeof(int32_t) + data_.capacity() * sizeof(double) +
                   nameRuns_.capacity() * sizeof(NameRun) + smoothed_.capacity() * sizeof(double) +
                   marks_.capacity() * sizeof(RowMark);
    for (const std::string& name : names_)
        bytes += sizeof(std::string) + name.capacity() + 32; // the string and its index entry
    return bytes;
}
