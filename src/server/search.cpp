#include "search.h"

#include "common/failure.h"
#include "name_match.h"

namespace kestrine::server {
namespace {

constexpr std::int32_t kFolderAttributes = 16;

class PageCollector {
  public:
    explicit PageCollector(const SearchRequest& request)
        : skip_(request.skip), limit_(request.limit) {}

    bool Full() const { return rows_.size() >= static_cast<std::size_t>(limit_); }
    void Offer(TFileSearchItem&& row) {
        if (skip_ > 0) {
            --skip_;
        } else if (!Full()) {
            rows_.push_back(std::move(row));
        }
    }
    std::vector<TFileSearchItem> Take() { return std::move(rows_); }

  private:
    std::int32_t skip_;
    std::int32_t limit_;
    std::vector<TFileSearchItem> rows_;
};

}  // namespace

std::vector<TFileSearchItem> Search(const FileIndex& index, const SearchRequest& request) {
    const std::optional<ExtensionFilter> extensions = ExtensionFilter::Parse(request.extensions);
    if (!extensions) {
        throw Failure(u"bad extension list \"" + request.extensions + u"\"");
    }
    const NamePattern pattern(request.query);
    const bool wantFiles = request.mode != 1;
    const bool wantFolders = request.mode != 0;
    PageCollector page(request);

    for (const IndexedHost& host : index.Hosts()) {
        if (request.active == 1 && !host.active) {
            continue;
        }
        // Depth first, each folder before its files and subfolders; an explicit stack
        // because shares can be deep.
        std::vector<std::int32_t> pending(host.topFolders.rbegin(), host.topFolders.rend());
        while (!pending.empty() && !page.Full()) {
            const IndexedFolder* folder = index.FindFolder(pending.back());
            pending.pop_back();
            if (folder == nullptr) {
                continue;
            }
            if (wantFolders && folder->parentId != -1 && pattern.Matches(folder->name)) {
                const IndexedFolder* parent = index.FindFolder(folder->parentId);
                TFileSearchItem row;
                row.Computer = host.name;
                row.Folder = parent->path + u"\\";
                row.FileName = folder->name;
                row.Modified = folder->modified;
                row.Attributes = kFolderAttributes;
                page.Offer(std::move(row));
            }
            if (wantFiles) {
                for (const IndexedFile& file : folder->files) {
                    if (page.Full()) {
                        break;
                    }
                    if (pattern.Matches(file.name) && extensions->Accepts(file.name)) {
                        TFileSearchItem row;
                        row.Computer = host.name;
                        row.Folder = folder->path + u"\\";
                        row.FileName = file.name;
                        row.Size = file.size;
                        row.Modified = file.modified;
                        row.Attributes = file.attributes;
                        page.Offer(std::move(row));
                    }
                }
            }
            pending.insert(pending.end(), folder->subfolders.rbegin(), folder->subfolders.rend());
        }
    }
    return page.Take();
}

}  // namespace kestrine::server
