#include "settings/wide_strings.h"

#include "settings/text_file_encoding.h"
#include "settings/wide_file.h"
#include "settings/wide_upper_case.h"

namespace qrv {

namespace {

constexpr char16_t kNameValueSeparator = u'=';

} // namespace

int TWideStrings::IndexOf(const std::u16string& line) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(Get(i), line)) {
            return i;
        }
    }
    return -1;
}

int TWideStrings::IndexOfName(const std::u16string& name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::u16string line = Get(i);
        const size_t separator = line.find(kNameValueSeparator);
        if (separator != std::u16string::npos &&
            SameText(std::u16string_view(line).substr(0, separator), name)) {
            return i;
        }
    }
    return -1;
}

void TWideStrings::Changed() {
    if (updateCount_ == 0 && OnChange) {
        OnChange();
    }
}

int TWideStrings::AddObject(std::u16string line, TLineObject* object) {
    const int index = Count();
    InsertObject(index, std::move(line), object);
    return index;
}

std::u16string TWideStrings::Names(int index) const {
    std::u16string line = Get(index);
    const size_t separator = line.find(kNameValueSeparator);
    if (separator == std::u16string::npos) {
        return {};
    }
    line.resize(separator);
    return line;
}

std::u16string TWideStrings::ValueFromIndex(int index) const {
    const std::u16string line = Get(index);
    const size_t separator = line.find(kNameValueSeparator);
    if (separator == std::u16string::npos) {
        return {};
    }
    return line.substr(separator + 1);
}

std::u16string TWideStrings::Values(const std::u16string& name) const {
    const int index = IndexOfName(name);
    return index < 0 ? std::u16string() : ValueFromIndex(index);
}

void TWideStrings::SetValue(const std::u16string& name, const std::u16string& value) {
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) {
            Delete(index);
        }
        return;
    }
    std::u16string line = name + kNameValueSeparator + value;
    if (index >= 0) {
        Put(index, std::move(line));
    } else {
        Add(std::move(line));
    }
}

std::u16string TWideStrings::Text() const {
    std::u16string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += u"\r\n";
    }
    return text;
}

void TWideStrings::SetText(std::u16string_view text) {
    TWideStringsUpdate update(*this);
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            Add(std::u16string(text.substr(start)));
            break;
        }
        Add(std::u16string(text.substr(start, end - start)));
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') {
            ++start;
        }
    }
}

void TWideStrings::Assign(const TWideStrings& source) {
    if (&source == this) {
        return;
    }
    TWideStringsUpdate update(*this);
    Clear();
    AddStrings(source);
}

void TWideStrings::AddStrings(const TWideStrings& source) {
    TWideStringsUpdate update(*this);
    const int count = source.Count();
    for (int i = 0; i < count; ++i) {
        Add(source.Get(i));
    }
}

void TWideStrings::LoadFromFile(const std::u16string& fileName) {
    SetText(DecodeTextFile(ReadWholeFile(fileName)));
}

void TWideStrings::SaveToFile(const std::u16string& fileName) const {
    WriteWholeFile(fileName, EncodeUtf16LeWithBom(Text()));
}

void TWideStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) {
        Changed();
    }
}

bool TWideStrings::SameText(std::u16string_view a, std::u16string_view b) const {
    return caseSensitive_ ? a == b : WideSameText(a, b);
}

} // namespace qrv
