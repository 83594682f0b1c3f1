// Where an analysis leaves its results: the error code, the headline
// value, the result text, the count of records analysed, and new result
// records appended to the caller's list.
#ifndef QZCORE_ANALYSIS_ANALYZERESULTS_H
#define QZCORE_ANALYSIS_ANALYZERESULTS_H

#include "qzCore/Export.h"

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "qzCore/records/GeoData.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

/// What the headline result of an analysis is.
enum RESULTTYPE : std::int32_t {
    Result_Average = 0,  ///< an orientation from averaging
    Result_Single = 1,   ///< one computed value (pole, line, angle)
    Result_None = 2
};

class QZCORE_EXPORT AnalyzeResults {
public:
    explicit AnalyzeResults(std::list<SpecialData>& results) : m_results(&results) {}

    /// 1 for success, else a negative error code.
    int getError() const { return m_error; }
    void setError(int e) { m_error = e; }
    bool isError() const { return m_error != 1; }
    std::list<SpecialData>& getResultData() const { return *m_results; }
    void addData(const SpecialData& s) { m_results->push_back(s); }
    /// Whole degrees: (trend, plunge) of an orientation, or (angle, 0).
    const TwoDPoint<int>& getResult() const { return m_result; }
    void setResult(int x, int y) { m_result.init(x, y); }
    void setResult(const TwoDPoint<int>& p) { m_result = p; }
    const std::string& getResultString() const { return m_text; }
    void setResultString(const std::string& s) { m_text = s; }
    void addToResultString(const std::string& s) { m_text += s; }
    RESULTTYPE getResultType() const { return m_type; }
    void setResultType(RESULTTYPE t) { m_type = t; }
    int getNumDataAnalyzed() const { return m_count; }
    void setNumDataAnalyzed(int n) { m_count = n; }
    /// The numbers behind the result, by name, for hosts that want them
    /// rather than the report text: Fisher "trend", "plunge" (the mean,
    /// unrounded degrees), "R", "K", "delta", "variance", "cone" (degrees;
    /// -1 when undefined); tensor "eigenvalue1".."eigenvalue3" and
    /// "trend1", "plunge1" .. "trend3", "plunge3", the fabric's shape
    /// "woodcock_k", "woodcock_c" (where defined), "vollmer_p", "vollmer_g",
    /// "vollmer_r" (FabricShape.h); T and L "t_trend",
    /// "t_plunge", "l_trend", "l_plunge".
    void setValue(const std::string& name, double v) { m_values[name] = v; }
    /// False (v unchanged) when the analysis gave no such number.
    bool getValue(const std::string& name, double& v) const {
        const auto it = m_values.find(name);
        if (it == m_values.end()) return false;
        v = it->second;
        return true;
    }
    const std::map<std::string, double>& getValues() const { return m_values; }
    /// Sets: the set (0-based) of each record of the analysed list, in its
    /// order; -1 for a record the analysis did not take.  Empty for the
    /// other analyses.
    const std::vector<int>& getLabels() const { return m_labels; }
    void setLabels(std::vector<int> labels) { m_labels = std::move(labels); }
    /// Named series of numbers an analysis gives besides its values (one
    /// per fault, per bootstrap sample, ...); empty when it gives none.
    const std::vector<double>& getSeries(const std::string& name) const {
        static const std::vector<double> none;
        const auto it = m_series.find(name);
        return it == m_series.end() ? none : it->second;
    }
    void setSeries(const std::string& name, std::vector<double> values) { m_series[name] = std::move(values); }
    /// Error 1, no headline result.
    void reset() {
        m_error = 1;
        m_type = Result_None;
        m_values.clear();
        m_labels.clear();
        m_series.clear();
    }
    void resetResultData() { m_results->clear(); }

private:
    std::list<SpecialData>* m_results;
    std::map<std::string, double> m_values;
    std::vector<int> m_labels;
    std::map<std::string, std::vector<double>> m_series;
    int m_error = 1;
    TwoDPoint<int> m_result;
    std::string m_text;
    RESULTTYPE m_type = Result_None;
    int m_count = 0;
};

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_ANALYZERESULTS_H
