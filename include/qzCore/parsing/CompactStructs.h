// The compact value and token forms kept inside stored records: a plane
// keeps only strike and dip, a line trend and plunge, a fault (composite)
// all seven values.  They convert to and from the full transfer records.
#ifndef QZCORE_PARSING_COMPACTSTRUCTS_H
#define QZCORE_PARSING_COMPACTSTRUCTS_H

#include "qzCore/Export.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

#include "qzCore/parsing/DataStruct.h"

namespace qzCore {

/// Base of the compact value forms: the common fields, and per-kind values
/// that the base reports as absent (-1).
class QZCORE_EXPORT LightweightDataStruct : public GDCommonFields {
public:
    LightweightDataStruct() = default;
    virtual ~LightweightDataStruct() = default;
    /// The parts of records take their memory from the record pool
    /// (src/shared/RecordPool.h, internal): side by side, without a heap header each.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;
    LightweightDataStruct(const LightweightDataStruct&) = default;
    LightweightDataStruct& operator=(const LightweightDataStruct&) = default;

    virtual CONFIDENCE getConf() const { return Confidence_None; }
    virtual int getDip() const { return -1; }
    virtual int getPlunge() const { return -1; }
    virtual int getRake() const { return -1; }
    virtual char getSlip() const { return GDSlipTypes::GDSlipType_NoSlip; }
    virtual int getStrike() const { return -1; }
    virtual int getTrend() const { return -1; }
    virtual bool hasConf() const { return getConf() != Confidence_None; }
    virtual bool hasDip() const { return getDip() != -1; }
    virtual bool hasPlunge() const { return getPlunge() != -1; }
    virtual bool hasRake() const { return getRake() != -1; }
    /// The has-slip flag is set and the slip code is not 0.
    virtual bool hasSlip() const { return hasSlipFlag() && getSlip() != GDSlipTypes::GDSlipType_NoSlip; }
    virtual bool hasStrike() const { return getStrike() != -1; }
    virtual bool hasTrend() const { return getTrend() != -1; }
    virtual bool isLinear() const { return false; }
    virtual bool isPlanar() const { return false; }
    /// Every field to its default (angles -1, no location, ...).
    virtual void reset() { resetCommon(); }
    virtual void setConf(CONFIDENCE) {}
    virtual void setDip(int) {}
    virtual void setPlunge(int) {}
    virtual void setRake(int) {}
    virtual void setSlip(char) {}
    virtual void setStrike(int) {}
    virtual void setTrend(int) {}
    /// Writes the common fields and the values this form holds into `d`;
    /// the other fields of `d` keep what they had.  Absent angles are not
    /// written.
    virtual void get(DataStruct& d) const;
    /// Takes the common fields and the values this form holds from `d`.
    virtual void set(const DataStruct& d);

    /// A deep copy of the same dynamic type.
    virtual std::unique_ptr<LightweightDataStruct> clone() const = 0;
};

/// Strike and dip.
class QZCORE_EXPORT PlanarDataStruct : public LightweightDataStruct {
public:
    int getDip() const override { return m_dip; }
    int getStrike() const override { return m_strike; }
    bool isPlanar() const override { return true; }
    void reset() override;
    void setDip(int v) override { m_dip = v; }
    void setStrike(int v) override { m_strike = v; }
    void get(DataStruct& d) const override;
    void set(const DataStruct& d) override;
    std::unique_ptr<LightweightDataStruct> clone() const override;

private:
    int m_dip = -1;
    int m_strike = -1;
};

/// Trend and plunge.
class QZCORE_EXPORT LinearDataStruct : public LightweightDataStruct {
public:
    int getPlunge() const override { return m_plunge; }
    int getTrend() const override { return m_trend; }
    bool isLinear() const override { return true; }
    void reset() override;
    void setPlunge(int v) override { m_plunge = v; }
    void setTrend(int v) override { m_trend = v; }
    void get(DataStruct& d) const override;
    void set(const DataStruct& d) override;
    std::unique_ptr<LightweightDataStruct> clone() const override;

private:
    int m_plunge = -1;
    int m_trend = -1;
};

/// A plane with a slip line and sense: all seven values.
class QZCORE_EXPORT CompositeDataStruct : public LightweightDataStruct {
public:
    CONFIDENCE getConf() const override { return m_conf; }
    int getDip() const override { return m_dip; }
    int getPlunge() const override { return m_plunge; }
    int getRake() const override { return m_rake; }
    char getSlip() const override { return m_slip; }
    int getStrike() const override { return m_strike; }
    int getTrend() const override { return m_trend; }
    bool isPlanar() const override { return true; }
    void reset() override;
    void setConf(CONFIDENCE c) override { m_conf = c; }
    void setDip(int v) override { m_dip = v; }
    void setPlunge(int v) override { m_plunge = v; }
    void setRake(int v) override { m_rake = v; }
    /// A code other than 0 sets the has-slip flag; 0 clears it and the
    /// three slip-geometry flags.
    void setSlip(char slip) override;
    void setStrike(int v) override { m_strike = v; }
    void setTrend(int v) override { m_trend = v; }
    void get(DataStruct& d) const override;
    void set(const DataStruct& d) override;
    std::unique_ptr<LightweightDataStruct> clone() const override;

private:
    CONFIDENCE m_conf = Confidence_None;
    int m_dip = -1;
    int m_plunge = -1;
    int m_rake = -1;
    char m_slip = GDSlipTypes::GDSlipType_NoSlip;
    int m_strike = -1;
    int m_trend = -1;
};

/// Base of the compact token forms: the comment only.  A short comment
/// (up to Inline_Comment_Length characters, the common case of field notes)
/// is held inside the object; a longer one in a buffer of exactly its length.
class QZCORE_EXPORT LightweightTokenStruct {
public:
    LightweightTokenStruct() = default;
    virtual ~LightweightTokenStruct() = default;
    /// The parts of records take their memory from the record pool
    /// (src/shared/RecordPool.h, internal): side by side, without a heap header each.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;
    LightweightTokenStruct(const LightweightTokenStruct& o);
    LightweightTokenStruct& operator=(const LightweightTokenStruct& o);

    static constexpr std::size_t Inline_Comment_Length = 14;

    /// Sets the comment; null removes it.
    void setComment(const char* text);
    bool hasComment() const { return m_where != No_Comment; }
    /// The comment, or the empty text.
    const char* getComment() const;
    std::size_t getCommentLength() const;

    /// The text of one token this form holds; "" for any other.
    virtual const char* getToken(TokenStruct::Token_Id) const { return ""; }
    /// Writes the present tokens (and the comment) into `t`.
    virtual void get(TokenStruct& t) const;
    /// Takes the tokens this form holds (and the comment) from `t`.
    virtual void set(const TokenStruct& t);
    /// Clears every token and the comment.
    virtual void reset() { setComment(nullptr); }

    /// A deep copy of the same dynamic type.
    virtual std::unique_ptr<LightweightTokenStruct> clone() const = 0;

protected:
    using TokenBuffer = TokenStruct::TokenBuffer;
    static void copyToken(TokenBuffer& to, const char* from);
    static void copyToken(TokenBuffer& to, int value);
    static void putToken(TokenStruct& t, TokenStruct::Token_Id id, const TokenBuffer& from);

private:
    enum Where : unsigned char { No_Comment = 0, Inline_Comment = 1, Heap_Comment = 2 };
    std::unique_ptr<char[]> m_comment;
    std::array<char, Inline_Comment_Length + 1> m_inline{};
    Where m_where = No_Comment;
};

/// Strike and dip tokens.
class QZCORE_EXPORT PlanarTokenStruct : public LightweightTokenStruct {
public:
    const char* getStrike() const { return m_strike.data(); }
    const char* getDip() const { return m_dip.data(); }
    void setStrike(const char* t) { copyToken(m_strike, t); }
    void setStrike(int v) { copyToken(m_strike, v); }
    void setDip(const char* t) { copyToken(m_dip, t); }
    void setDip(int v) { copyToken(m_dip, v); }
    const char* getToken(TokenStruct::Token_Id id) const override {
        return id == TokenStruct::Strike_Token ? m_strike.data() : (id == TokenStruct::Dip_Token ? m_dip.data() : "");
    }
    void get(TokenStruct& t) const override;
    void set(const TokenStruct& t) override;
    void reset() override;
    std::unique_ptr<LightweightTokenStruct> clone() const override;

private:
    TokenBuffer m_strike{};
    TokenBuffer m_dip{};
};

/// Trend and plunge tokens.
class QZCORE_EXPORT LinearTokenStruct : public LightweightTokenStruct {
public:
    const char* getTrend() const { return m_trend.data(); }
    const char* getPlunge() const { return m_plunge.data(); }
    void setTrend(const char* t) { copyToken(m_trend, t); }
    void setTrend(int v) { copyToken(m_trend, v); }
    void setPlunge(const char* t) { copyToken(m_plunge, t); }
    void setPlunge(int v) { copyToken(m_plunge, v); }
    const char* getToken(TokenStruct::Token_Id id) const override {
        return id == TokenStruct::Trend_Token ? m_trend.data() : (id == TokenStruct::Plunge_Token ? m_plunge.data() : "");
    }
    void get(TokenStruct& t) const override;
    void set(const TokenStruct& t) override;
    void reset() override;
    std::unique_ptr<LightweightTokenStruct> clone() const override;

private:
    TokenBuffer m_trend{};
    TokenBuffer m_plunge{};
};

/// All seven value tokens: confidence, dip, plunge, rake, slip, strike, trend.
class QZCORE_EXPORT CompositeTokenStruct : public LightweightTokenStruct {
public:
    const char* getConf() const { return m_conf.data(); }
    const char* getDip() const { return m_dip.data(); }
    const char* getPlunge() const { return m_plunge.data(); }
    const char* getRake() const { return m_rake.data(); }
    const char* getSlip() const { return m_slip.data(); }
    const char* getStrike() const { return m_strike.data(); }
    const char* getTrend() const { return m_trend.data(); }
    void setConf(const char* t) { copyToken(m_conf, t); }
    void setConf(int v) { copyToken(m_conf, v); }
    void setDip(const char* t) { copyToken(m_dip, t); }
    void setDip(int v) { copyToken(m_dip, v); }
    void setPlunge(const char* t) { copyToken(m_plunge, t); }
    void setPlunge(int v) { copyToken(m_plunge, v); }
    void setRake(const char* t) { copyToken(m_rake, t); }
    void setRake(int v) { copyToken(m_rake, v); }
    void setSlip(const char* t) { copyToken(m_slip, t); }
    void setStrike(const char* t) { copyToken(m_strike, t); }
    void setStrike(int v) { copyToken(m_strike, v); }
    void setTrend(const char* t) { copyToken(m_trend, t); }
    void setTrend(int v) { copyToken(m_trend, v); }
    const char* getToken(TokenStruct::Token_Id id) const override;
    void get(TokenStruct& t) const override;
    void set(const TokenStruct& t) override;
    void reset() override;
    std::unique_ptr<LightweightTokenStruct> clone() const override;

private:
    TokenBuffer m_conf{};
    TokenBuffer m_dip{};
    TokenBuffer m_plunge{};
    TokenBuffer m_rake{};
    TokenBuffer m_slip{};
    TokenBuffer m_strike{};
    TokenBuffer m_trend{};
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_COMPACTSTRUCTS_H
