#pragma once
// The Unicode string list interface: ordered UTF-16 lines, each with an optional object.
// Every change to the lines or to their order ends in a call to the virtual Changed, which
// lists with indexes (the hashed list) rely on to notice that their indexes are stale.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv {

// Root of anything attached to a line of a list. A list that owns its objects deletes them
// through this virtual destructor.
class TLineObject {
public:
    virtual ~TLineObject() = default;
};

// A bad line index ("List index out of bounds (5)").
class EStringListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

class TWideStrings : public TLineObject {
public:
    TWideStrings() = default;
    TWideStrings(const TWideStrings&) = delete;
    TWideStrings& operator=(const TWideStrings&) = delete;

    // The storage, supplied by the concrete list. Indexes are checked: a bad one raises
    // EStringListError.
    virtual int Count() const = 0;
    virtual std::u16string Get(int index) const = 0;
    virtual void Put(int index, std::u16string line) = 0;
    virtual TLineObject* GetObject(int index) const = 0;
    virtual void PutObject(int index, TLineObject* object) = 0;
    virtual void InsertObject(int index, std::u16string line, TLineObject* object) = 0;
    virtual void Delete(int index) = 0;
    virtual void Exchange(int index1, int index2) = 0;
    virtual void Clear() = 0;

    // Lookups: the index of a matching line, or -1. Without CaseSensitive, texts compare
    // through the wide upper-case mapping. Here the first match wins; a subclass may index.
    virtual int IndexOf(const std::u16string& line) const;
    // Considers only lines that hold "=" and compares the text before the first "=".
    virtual int IndexOfName(const std::u16string& name) const;

    // Called after every change; tells OnChange when no update is under way.
    virtual void Changed();

    int Add(std::u16string line) { return AddObject(std::move(line), nullptr); }
    int AddObject(std::u16string line, TLineObject* object);
    void Insert(int index, std::u16string line) { InsertObject(index, std::move(line), nullptr); }

    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value) { caseSensitive_ = value; }

    // Name and value of a name=value line, split at the first "=". A line without "=" has an
    // empty name and an empty value.
    std::u16string Names(int index) const;
    std::u16string ValueFromIndex(int index) const;
    // The value of the line IndexOfName finds, or empty.
    std::u16string Values(const std::u16string& name) const;
    // Replaces or appends name=value; an empty value removes the line.
    void SetValue(const std::u16string& name, const std::u16string& value);

    // Every line followed by CR LF.
    std::u16string Text() const;
    // Replaces the lines; CR LF, LF and CR all end a line.
    void SetText(std::u16string_view text);

    // Replaces the lines by copies of the source's lines. Objects are not copied: an object
    // belongs to the list it came with.
    void Assign(const TWideStrings& source);
    void AddStrings(const TWideStrings& source);

    // Reads UTF-16LE, UTF-16BE or UTF-8 after their byte-order marks, anything else in the
    // ANSI code page. Raises EFileStreamError when the file cannot be read.
    void LoadFromFile(const std::u16string& fileName);
    // Writes UTF-16LE with its byte-order mark, every line ended by CR LF.
    void SaveToFile(const std::u16string& fileName) const;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    std::function<void()> OnChange;

protected:
    bool SameText(std::u16string_view a, std::u16string_view b) const;

private:
    bool caseSensitive_ = false;
    int updateCount_ = 0;
};

// BeginUpdate for the lifetime of the object, EndUpdate on every way out.
class TWideStringsUpdate {
public:
    explicit TWideStringsUpdate(TWideStrings& strings) : strings_(strings) {
        strings_.BeginUpdate();
    }
    ~TWideStringsUpdate() { strings_.EndUpdate(); }
    TWideStringsUpdate(const TWideStringsUpdate&) = delete;
    TWideStringsUpdate& operator=(const TWideStringsUpdate&) = delete;

private:
    TWideStrings& strings_;
};

} // namespace qrv
