// The rows of a chart, held by column: the data of every row; the times only when they do not
// follow one step from the first row on; the isotope names as runs of rows that share one of the
// chart's few distinct names; the smoothed column only when the chart has one; the peak flags and
// levels only for the rows that carry a peak mark. The reader fills it, the viewer model keeps it,
// smoothing, detection, painting, printing and the writer read it where it lies. SplSample stays
// the record of one row for callers that need one.
#pragma once

#include "chart/spl_types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Rows from row on carry the name id (up to the next run).
struct NameRun {
    uint32_t row = 0;
    uint32_t id = 0;
};

// The peak marks and levels of one row (fields as in SplSample).
struct RowMark {
    int32_t row = 0;
    uint32_t flags = 0;
    double top[2] = {0.0, 0.0};
    double base[2] = {0.0, 0.0};
};

class ChartStore {
  public:
    ChartStore() = default;
    // A store holding copies of count row records.
    ChartStore(const SplSample* rows, size_t count);
    explicit ChartStore(const std::vector<SplSample>& rows)
        : ChartStore(rows.data(), rows.size()) {}

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Columns of size() values. Data() and SmoothedColumn() may run further (padding, all 0.0).
    const double* Data() const { return data_.data(); }
    double* Data() { return data_.data(); }
    // The smoothed column, or null when the chart has none (every row's value is 0 then).
    const double* SmoothedColumn() const { return smoothed_.empty() ? nullptr : smoothed_.data(); }
    double* SmoothedColumn() { return smoothed_.empty() ? nullptr : smoothed_.data(); }
    bool HasSmoothed() const { return !smoothed_.empty(); }

    double DataAt(size_t i) const { return data_[i]; }
    int32_t TimeAt(size_t i) const {
        return timeSteady_ ? static_cast<int32_t>(timeFirst_ + static_cast<int64_t>(i) * timeStep_)
                           : time_[i];
    }
    double SmoothedAt(size_t i) const { return smoothed_.empty() ? 0.0 : smoothed_[i]; }
    const std::string& NameAt(size_t i) const { return names_[NameIdAt(i)]; }
    uint32_t NameIdAt(size_t i) const;
    // The name runs, in row order; the first starts at row 0 when there are rows.
    const std::vector<NameRun>& NameRuns() const { return nameRuns_; }
    const std::string& Name(uint32_t id) const { return names_[id]; }
    size_t NameCount() const { return names_.size(); }
    // The peak flags of row i (0 for a row without marks).
    uint32_t FlagsAt(size_t i) const;

    // Row i as a record (all fields filled as the reader would). Past size(): a blank record.
    SplSample Row(size_t i) const;
    SplSample operator[](size_t i) const { return Row(i); }

    // Walks the rows as records (each one assembled on the way).
    class RowIterator {
      public:
        RowIterator(const ChartStore* store, size_t i) : store_(store), i_(i) {}
        SplSample operator*() const { return store_->Row(i_); }
        RowIterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator!=(const RowIterator& other) const { return i_ != other.i_; }

      private:
        const ChartStore* store_;
        size_t i_;
    };
    RowIterator begin() const { return RowIterator(this, 0); }
    RowIterator end() const { return RowIterator(this, size()); }

    // The marked rows, in row order.
    const std::vector<RowMark>& Marks() const { return marks_; }
    // The mark of row, or null.
    const RowMark* FindMark(int32_t row) const;
    RowMark* FindMark(int32_t row);
    // The mark of row, made (all zero) when it has none.
    RowMark& MarkOf(int32_t row);
    // Drops row's mark when its flags carry no peak bit any more.
    void TidyMark(int32_t row);

    // Building. Reserve makes room for n rows; Append adds one row at the end.
    void Reserve(size_t n);
    // Has the system back the reserved room of the columns now, ahead of the rows to come.
    void PrepareRoom();
    size_t Capacity() const { return data_.capacity(); }
    uint32_t Intern(std::string_view name);
    void AppendRow(int32_t time, double data, uint32_t nameId) {
        AppendTime(time);
        data_.push_back(data);
        if (nameRuns_.empty() || nameRuns_.back().id != nameId)
            nameRuns_.push_back(NameRun{static_cast<uint32_t>(count_), nameId});
        if (!smoothed_.empty()) smoothed_.push_back(0.0);
        ++count_;
    }
    // Gives the last appended row a smoothed value (the column is made on first use).
    void SetLastSmoothed(double v);
    // Appends a mark for the last appended row (rows must come in order).
    void AppendMark(const RowMark& mark) { marks_.push_back(mark); }
    void Append(const SplSample& row);
    // Appends copies of the rows of other after these (names re-interned, marks moved along).
    void AppendStore(const ChartStore& other);
    // Drops every row, name and mark, keeping the room of the columns for the next rows.
    void Clear();

    // Replaces the smoothed column: size() values (or more, padding), or empty to drop it.
    void SetSmoothedColumn(std::vector<double>&& column) { smoothed_ = std::move(column); }
    std::vector<double> TakeSmoothedColumn() { return std::move(smoothed_); }
    // Makes the data (and smoothed) columns run extra values of 0.0 past size().
    void PadColumns(size_t extra);
    // Releases spare room.
    void ShrinkToFit();
    // Bytes held (columns, names, marks), for the figures of the benchmarks.
    size_t BytesHeld() const;

  private:
    // Row count_'s time: checked against the steady step, or kept in time_ once a row leaves it.
    void AppendTime(int32_t time) {
        if (!timeSteady_) {
            time_.push_back(time);
        } else if (count_ >= 2) {
            if (timeFirst_ + static_cast<int64_t>(count_) * timeStep_ != time) KeepTimes(time);
        } else if (count_ == 1) {
            timeStep_ = int64_t{time} - timeFirst_;
        } else {
            timeFirst_ = time;
        }
    }
    // Writes out the times of the rows so far, then time, and keeps every time from now on.
    void KeepTimes(int32_t time);

    size_t count_ = 0;
    std::vector<double> data_;
    bool timeSteady_ = true; // row i's time is timeFirst_ + i * timeStep_; time_ is unused
    int64_t timeFirst_ = 0;
    int64_t timeStep_ = 0;
    std::vector<int32_t> time_;
    std::vector<NameRun> nameRuns_;
    std::vector<double> smoothed_;
    std::vector<std::string> names_;
    std::unordered_map<std::string, uint32_t> nameIndex_;
    std::vector<RowMark> marks_;
};
