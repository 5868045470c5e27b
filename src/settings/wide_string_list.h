#pragma once
// The Unicode string list: the lines in a vector, each with an optional object. A list made
// with TObjectOwnership::Owned owns the objects on its lines and deletes each one together
// with its line (Delete, Clear, PutObject over it, destruction); any other list only refers
// to them.

#include "settings/wide_strings.h"

#include <memory>
#include <vector>

namespace qrv {

enum class TObjectOwnership { NotOwned, Owned };

class TWideStringList : public TWideStrings {
public:
    explicit TWideStringList(TObjectOwnership ownership = TObjectOwnership::NotOwned)
        : ownsObjects_(ownership == TObjectOwnership::Owned) {}

    bool OwnsObjects() const { return ownsObjects_; }

    int Count() const override { return static_cast<int>(lines_.size()); }
    std::u16string Get(int index) const override { return Strings(index); }
    void Put(int index, std::u16string line) override;
    TLineObject* GetObject(int index) const override;
    // In an owning list the list takes the object (also when this fails).
    void PutObject(int index, TLineObject* object) override;
    void InsertObject(int index, std::u16string line, TLineObject* object) override;
    void Delete(int index) override;
    void Exchange(int index1, int index2) override;
    void Clear() override;
    // The base's linear searches, without copying the lines.
    int IndexOf(const std::u16string& line) const override;
    int IndexOfName(const std::u16string& name) const override;

    using TWideStrings::AddObject;
    // For owning lists; a list that does not own its objects refuses (std::logic_error).
    int AddObject(std::u16string line, std::unique_ptr<TLineObject> object);

    // The line itself, without a copy.
    const std::u16string& Strings(int index) const;

private:
    struct TObjectDeleter {
        bool owns = false;
        void operator()(TLineObject* object) const {
            if (owns) {
                delete object;
            }
        }
    };
    using TObjectPtr = std::unique_ptr<TLineObject, TObjectDeleter>;
    struct TLine {
        std::u16string text;
        TObjectPtr object;
    };

    void CheckIndex(int index) const;
    TObjectPtr Hold(TLineObject* object) const { return TObjectPtr(object, {ownsObjects_}); }

    bool ownsObjects_;
    std::vector<TLine> lines_;
};

} // namespace qrv
