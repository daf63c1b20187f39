#pragma once

// The window's progress bar, range 0 to 100, whose position the exchanges set and advance.
class TProgressIndicator {
  public:
    virtual ~TProgressIndicator() = default;
    virtual int Position() const = 0;
    virtual void SetPosition(int position) = 0;
};

// A progress indicator that only remembers its position (tests, and tools without a bar).
class TPlainProgress : public TProgressIndicator {
  public:
    int Position() const override { return position_; }
    void SetPosition(int position) override { position_ = position; }

  private:
    int position_ = 0;
};
