#include "data/demo_builder.h"

#include "dba/dynarray.h"

#include <QDate>

namespace data::demo {

std::vector<std::string>& DemoRecord::Field(int field) {
    if (static_cast<int>(fields_.size()) < field)
        fields_.resize(static_cast<std::size_t>(field));
    return fields_[static_cast<std::size_t>(field - 1)];
}

void DemoRecord::Set(int field, std::string value) {
    Field(field) = {std::move(value)};
}

void DemoRecord::SetValue(int field, int value, std::string text) {
    auto& values = Field(field);
    if (static_cast<int>(values.size()) < value)
        values.resize(static_cast<std::size_t>(value));
    values[static_cast<std::size_t>(value - 1)] = std::move(text);
}

void DemoRecord::Add(int field, std::string value) {
    Field(field).push_back(std::move(value));
}

void DemoRecord::SetValues(int field, std::vector<std::string> values) {
    Field(field) = std::move(values);
}

int DemoRecord::Count(int field) const {
    return field <= static_cast<int>(fields_.size()) ? static_cast<int>(fields_[field - 1].size()) : 0;
}

std::string DemoRecord::Text() const {
    std::vector<std::string> fields;
    fields.reserve(fields_.size());
    for (const auto& values : fields_)
        fields.push_back(dba::Join(values, dba::VM));
    while (!fields.empty() && fields.back().empty())
        fields.pop_back();
    return dba::Join(fields, dba::FM);
}

namespace {
const qint64 DayZero = QDate(1967, 12, 31).toJulianDay();
}

long long Day(int year, int month, int day) {
    return QDate(year, month, day).toJulianDay() - DayZero;
}

std::string DayText(long long day) {
    return std::to_string(day);
}

std::string ShownDate(long long day) {
    return QDate::fromJulianDay(day + DayZero).toString(QStringLiteral("dd/MM/yyyy")).toStdString();
}

std::string PeriodOfDay(long long day) {
    const QDate date = QDate::fromJulianDay(day + DayZero);
    return Padded(date.year(), 4) + Padded(date.month(), 2);
}

std::string NextPeriod(const std::string& period) {
    int year = std::stoi(period.substr(0, 4));
    int month = std::stoi(period.substr(4, 2)) + 1;
    if (month == 13) {
        month = 1;
        ++year;
    }
    return Padded(year, 4) + Padded(month, 2);
}

long long FirstDayOfPeriod(const std::string& period) {
    return Day(std::stoi(period.substr(0, 4)), std::stoi(period.substr(4, 2)), 1);
}

std::string Padded(long long number, int width) {
    std::string text = std::to_string(number);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

long long Today() {
    return Day(2026, 12, 5);
}

long long CurrentPeriodStart() {
    return FirstDayOfPeriod(PeriodeCourante);
}

Builder::Builder(dba::Database& database, int s, std::uint32_t seed) : db(database), rng(seed), scale(s) {}

void Builder::Write(const char* table, const std::string& key, const DemoRecord& record) {
    auto it = tables_.find(table);
    if (it == tables_.end())
        it = tables_.emplace(table, db.OpenTable(table)).first;
    dba::Record r = it->second.NewRecord(key);
    r.SetRecord(record.Text());
    r.DBWrite();
    ++counts_[table];
}

} // namespace data::demo
