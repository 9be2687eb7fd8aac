// Images and pictures: owner-drawn STATIC windows painted with the picture the model names and the
// words it carries; a picture also holds controls.
#include "ui/win32/ControlAdapter.h"
#include "ui/win32/Pictures.h"

namespace ui::win32 {

namespace {

// `Drawn` is Image or Picture; both name a picture and give its words.
template <class Drawn> class PictureAdapter final : public WindowedAdapter {
  public:
    PictureAdapter(Drawn& drawn, WORD id, bool container)
        : WindowedAdapter(drawn, id), drawn(drawn), container(container) {}
    bool holdsControls() const override { return container; }

    void draw(const DRAWITEMSTRUCT& item) const override {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        drawPicture(item.hDC, item.rcItem, drawn.resource, drawn.words);
    }

  private:
    WindowLook look(const Control*) const override {
        return {"STATIC", SS_OWNERDRAW | (container ? static_cast<DWORD>(WS_CLIPSIBLINGS) : 0)};
    }
    bool showsCaption() const override { return false; }
    void refreshOwn(bool first) override {
        if (!first && (drawn.resource != resource || drawn.words != words)) {
            window.invalidate();
        }
        resource = drawn.resource;
        words = drawn.words;
    }

    const Drawn& drawn;
    const bool container;
    std::string resource;
    PictureWords words;
};

} // namespace

std::unique_ptr<ControlAdapter> adapt(Image& image, WORD id) {
    return std::make_unique<PictureAdapter<Image>>(image, id, false);
}

std::unique_ptr<ControlAdapter> adapt(Picture& picture, WORD id) {
    return std::make_unique<PictureAdapter<Picture>>(picture, id, true);
}

} // namespace ui::win32
