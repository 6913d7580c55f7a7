#!/usr/bin/env python3
"""Writes the question templates of the graphic styles into data/templates/.

The templates are the readable sources that ship (the build scrambles them);
this script keeps the eleven question layouts and the pre-test page of a style
consistent with each other. Run it after changing a layout here and commit its
output together with the change:

    python3 scripts/write-templates.py

Pictures and sounds named here are drawn by scripts/draw-style-art.sh.
"""

from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent / "data" / "templates"


def colour(rgb: str) -> str:
    """#rrggbb as the format's colour text: "$" and hex with blue in the
    high byte and red in the low byte."""
    r, g, b = rgb[1:3], rgb[3:5], rgb[5:7]
    return "$" + (b + g + r).upper()


@dataclass
class Font:
    name: str
    size: int
    rgb: str
    bold: int = 0
    italic: int = 0
    align: int = 0  # 0 left, 1 centre, 2 right


@dataclass
class Style:
    name: str
    prefix: str
    window_size: int
    width: int
    height: int
    background: str
    bg_rgb: str
    title_box: tuple  # left, top, width, height
    title_font: Font
    text_font: Font
    rows_top: int
    rows_bottom: int
    row_cap: int
    # choice rows: button square size and left; text starts after the tick
    choice_left: int
    choice_size: int
    choice_text_left: int
    choice_text_width: int
    choice_text_drop: int
    # true/false rows: statement left and width, button place and size
    tf_text_left: int
    tf_text_width: int
    tf_text_drop: int
    tf_left: int
    tf_size: tuple
    # text rows: prompt left and width, field place and size
    tx_text_left: int
    tx_text_width: int
    tx_text_drop: int
    tx_field_left: int
    tx_field_size: tuple
    # pre-test page
    name_box: tuple
    name_font: Font
    examiner_box: tuple
    examiner_font: Font
    picture: str
    picture_box: tuple
    sound: str
    # width of the column on the right that holds a question's own picture
    question_picture_width: int = 0


# Font names go into the pages' font faces as they stand: a list lets browsers
# without the first font fall back to a look-alike instead of their serif.
CHALK_FACE = "Comic Sans MS,Trebuchet MS,Arial,sans-serif"
SEA_FACE = "Verdana,Arial,Helvetica,sans-serif"
NOTEBOOK_FACE = "Georgia,Times New Roman,serif"

STYLES = [
    Style(
        name="Chalkboard", prefix="chalk", window_size=1, width=800, height=554,
        background="chalk_board.jpg", bg_rgb="#2f4a3c",
        title_box=(50, 36, 700, 96),
        title_font=Font(CHALK_FACE, 18, "#f4f4ee", bold=1),
        text_font=Font(CHALK_FACE, 14, "#f4f4ee"),
        rows_top=150, rows_bottom=492, row_cap=100,
        choice_left=60, choice_size=52, choice_text_left=150, choice_text_width=600, choice_text_drop=13,
        tf_text_left=50, tf_text_width=500, tf_text_drop=13, tf_left=570, tf_size=(170, 48),
        tx_text_left=50, tx_text_width=360, tx_text_drop=3, tx_field_left=430, tx_field_size=(260, 28),
        name_box=(60, 60, 680, 100), name_font=Font(CHALK_FACE, 24, "#f4f4ee", bold=1, align=1),
        examiner_box=(60, 250, 680, 40), examiner_font=Font(CHALK_FACE, 16, "#f7e36d", align=1),
        picture="chalk_apple.gif", picture_box=(630, 370, 100, 100),
        sound="chalk_tap.wav", question_picture_width=220,
    ),
    Style(
        name="Seaside", prefix="sea", window_size=0, width=640, height=434,
        background="sea_beach.jpg", bg_rgb="#fffdf6",
        title_box=(36, 24, 568, 64),
        title_font=Font(SEA_FACE, 14, "#0f6e9c", bold=1),
        text_font=Font(SEA_FACE, 12, "#1d3f66"),
        rows_top=96, rows_bottom=340, row_cap=76,
        choice_left=40, choice_size=44, choice_text_left=114, choice_text_width=490, choice_text_drop=13,
        tf_text_left=36, tf_text_width=416, tf_text_drop=9, tf_left=466, tf_size=(128, 36),
        tx_text_left=36, tx_text_width=270, tx_text_drop=3, tx_field_left=320, tx_field_size=(240, 26),
        name_box=(40, 28, 560, 80), name_font=Font(SEA_FACE, 20, "#0f6e9c", bold=1, align=1),
        examiner_box=(40, 160, 560, 30), examiner_font=Font(SEA_FACE, 14, "#1d3f66", align=1),
        picture="sea_boat.gif", picture_box=(250, 215, 140, 110),
        sound="sea_bloop.wav", question_picture_width=180,
    ),
    Style(
        name="Notebook", prefix="nb", window_size=2, width=1024, height=722,
        background="nb_paper.jpg", bg_rgb="#fdfbf2",
        title_box=(110, 40, 860, 90),
        title_font=Font(NOTEBOOK_FACE, 20, "#23395d", bold=1),
        text_font=Font(NOTEBOOK_FACE, 16, "#23395d"),
        rows_top=150, rows_bottom=670, row_cap=120,
        choice_left=120, choice_size=48, choice_text_left=200, choice_text_width=760, choice_text_drop=12,
        tf_text_left=110, tf_text_width=640, tf_text_drop=12, tf_left=780, tf_size=(180, 48),
        tx_text_left=110, tx_text_width=440, tx_text_drop=4, tx_field_left=580, tx_field_size=(320, 30),
        name_box=(110, 110, 800, 120), name_font=Font(NOTEBOOK_FACE, 28, "#23395d", bold=1, align=1),
        examiner_box=(110, 330, 800, 50), examiner_font=Font(NOTEBOOK_FACE, 18, "#b0241d", italic=1, align=1),
        picture="nb_pencil.gif", picture_box=(700, 520, 212, 69),
        sound="nb_scratch.wav", question_picture_width=280,
    ),
]


def element(name: str, fields: list) -> str:
    body = "".join(f"  <{k}>{v}</{k}>\n" for k, v in fields)
    return f"<{name}>\n{body}</{name}>\n"


def text(name: str, box: tuple, font: Font, string: str) -> str:
    left, top, width, height = box
    return element("vtText", [
        ("textName", name),
        ("vtString", string),
        ("TextLayer", 0),
        ("textLeft", left),
        ("textTop", top),
        ("textWidth", width),
        ("textHeight", height),
        ("TextIsSubtitle", 0),
        ("vtFontName", font.name),
        ("vtFontSize", font.size),
        ("vtFontColour", colour(font.rgb)),
        ("vtBold", font.bold),
        ("vtItalic", font.italic),
        ("vtUnderline", 0),
        ("vtAlignment", font.align),
        ("feedback", 0),
    ])


def question_fields(s: Style, version: int, selections: int) -> str:
    # An empty ...Abs field makes the bank step look for the ...Rel file in
    # the style folder; "0" says there is no file at all.
    fields = [
        ("version", version),
        ("windowSize", s.window_size),
        ("bgColour", colour(s.bg_rgb)),
        ("bgPosition", 1),
        ("bgWidth", s.width),
        ("bgHeight", s.height),
        ("numSelections", selections),
        ("ShowAllFeedbackMatches", 0),
        ("tickFileAbs", ""),
        ("tickFileRel", f"{s.prefix}_tick.gif"),
        ("crossFileAbs", ""),
        ("crossFileRel", f"{s.prefix}_cross.gif"),
        ("questionAudioAbs", 0),
        ("questionAudioRel", 0),
    ]
    out = "".join(f"<{k}>{v}</{k}>\n" for k, v in fields)
    out += element("vtBackground", [("bgFilePathAbs", ""), ("bgFilePathRel", s.background)])
    return out


def rows(s: Style, count: int) -> list:
    step = min(s.row_cap, (s.rows_bottom - s.rows_top) // count)
    return [s.rows_top + i * step for i in range(count)]


def row_height(s: Style, count: int) -> int:
    return min(s.row_cap, (s.rows_bottom - s.rows_top) // count)


def marks() -> list:
    # The expansion writes the real marks; these keep an unfilled button neutral.
    return [
        ("buttonMarkIfSelected", 0),
        ("buttonMarkIfNotSelected", 0),
        ("buttonMarkIfTrueSelected", 0),
        ("buttonMarkIfFalseSelected", 0),
        ("buttonMarkIfNoTFSelection", 0),
    ]


def choice_button(s: Style, k: int, top: int) -> str:
    letter = "ABCD"[k - 1]
    fields = [
        ("ButtonName", f"Button {k}"),
        ("buttonType", 0),
        ("id", f"button{k}"),
        ("buttonLeft", s.choice_left),
        ("buttonTop", top),
        ("buttonWidth", s.choice_size),
        ("buttonHeight", s.choice_size),
        *marks(),
        ("s1", ""), ("s1r", f"{s.prefix}_{letter}1.gif"),
        ("s2", ""), ("s2r", f"{s.prefix}_{letter}2.gif"),
        ("s3", ""), ("s3r", f"{s.prefix}_{letter}3.gif"),
        ("ButtonSound1", ""), ("ButtonSound1Rel", s.sound),
    ]
    for n in range(1, 8):
        fields += [(f"tf{n}", 0), (f"tf{n}r", 0)]
    fields += [("ButtonSound2", 0), ("ButtonSound2Rel", 0), ("ButtonSound3", 0), ("ButtonSound3Rel", 0)]
    return element("vtButton", fields)


def truefalse_button(s: Style, k: int, top: int) -> str:
    width, height = s.tf_size
    fields = [
        ("ButtonName", f"Button {k}"),
        ("buttonType", 1),
        ("id", f"button{k}"),
        ("buttonLeft", s.tf_left),
        ("buttonTop", top),
        ("buttonWidth", width),
        ("buttonHeight", height),
        *marks(),
        ("s1", 0), ("s1r", 0), ("s2", 0), ("s2r", 0), ("s3", 0), ("s3r", 0),
        ("ButtonSound1", 0), ("ButtonSound1Rel", 0),
    ]
    # tf1 nothing chosen, tf2/tf3 pointer over the true/false half,
    # tf4/tf5 true/false chosen, tf6/tf7 chosen with the pointer on the other half.
    for n in range(1, 8):
        fields += [(f"tf{n}", ""), (f"tf{n}r", f"{s.prefix}_tf{n}.gif")]
    fields += [("ButtonSound2", ""), ("ButtonSound2Rel", s.sound),
               ("ButtonSound3", ""), ("ButtonSound3Rel", s.sound)]
    return element("vtButton", fields)


def answer_field(s: Style, k: int, top: int) -> str:
    width, height = s.tx_field_size
    return element("vtField", [
        ("FieldName", f"Field {k}"),
        ("id", f"field{k}"),
        ("FieldLeft", s.tx_field_left),
        ("FieldTop", top),
        ("FieldWidth", width),
        ("FieldHeight", height),
        ("editRestriction", 0),
        ("useRange", 0),
        ("FieldMarkIfCorrect", 1),
        ("FieldMarkIfIncorrect", 0),
        ("FieldMarkIfNotSelected", 0),
    ])


# Room kept between the question's picture and what stands beside it.
PICTURE_GAP = 20
# The question's sound button: a small square below the answer rows.
SOUND_BUTTON = 24


def picture_place(s: Style) -> tuple:
    """The column on the right, below the title, beside the answer rows."""
    right = s.title_box[0] + s.title_box[2]
    left = right - s.question_picture_width
    return (left, s.rows_top, s.question_picture_width, s.rows_bottom - s.rows_top)


def with_picture(s: Style, family: str, count: int) -> str:
    """Where each named element stands when the question shows its picture:
    "name=left,width" for every element that moves or narrows, so that
    nothing reaches into the picture's column."""
    place_left = picture_place(s)[0]
    edge = place_left - PICTURE_GAP
    moves = []
    for k in range(1, count + 1):
        if family == "mc":
            moves.append((f"Text {k}", s.choice_text_left, edge - s.choice_text_left))
        elif family == "tf":
            width = s.tf_size[0]
            gap = s.tf_left - (s.tf_text_left + s.tf_text_width)
            left = edge - width
            moves.append((f"Button {k}", left, width))
            moves.append((f"Text {k}", s.tf_text_left, left - gap - s.tf_text_left))
        else:
            width = s.tx_field_size[0] * 4 // 5
            gap = s.tx_field_left - (s.tx_text_left + s.tx_text_width)
            left = edge - width
            moves.append((f"Field {k}", left, width))
            moves.append((f"Text {k}", s.tx_text_left, left - gap - s.tx_text_left))
    return ";".join(f"{name}={left},{width}" for name, left, width in moves)


def question_picture_place(s: Style, family: str, count: int) -> str:
    # The expansion puts the question's picture here, scaled to fit with its
    # proportions, and moves the elements named in withPicture aside; a
    # question without a picture loses this record and looks as before.
    left, top, width, height = picture_place(s)
    return element("vtPicture", [
        ("id", "qpicture"),
        ("PictureName", "QuestionPicture"),
        ("PictureLayer", 0),
        ("PictureLeft", left),
        ("PictureTop", top),
        ("PictureWidth", width),
        ("PictureHeight", height),
        ("picFilePathAbs", 0), ("picFilePathRel", 0),
        ("picOverFilePathAbs", 0), ("picOverFilePathRel", 0),
        ("picDownFilePathAbs", 0), ("picDownFilePathRel", 0),
        ("picAudioAbs", 0), ("picAudioRel", 0),
        ("feedback", 0),
        ("withPicture", with_picture(s, family, count)),
        ("soundButtonLeft", s.title_box[0]),
        ("soundButtonTop", s.rows_bottom + 8),
        ("soundButtonSize", SOUND_BUTTON),
    ])


def question(s: Style, family: str, count: int) -> str:
    tops = rows(s, count)
    step = row_height(s, count)
    selections = 1 if family == "mc" else 0  # one choice; statements and fields each count alone
    out = question_fields(s, 1, selections)
    out += question_picture_place(s, family, count)
    texts = [text("Title", s.title_box, s.title_font, "Title")]
    for k, top in enumerate(tops, start=1):
        if family == "mc":
            out += choice_button(s, k, top)
            box = (s.choice_text_left, top + s.choice_text_drop, s.choice_text_width, step - s.choice_text_drop)
        elif family == "tf":
            out += truefalse_button(s, k, top)
            box = (s.tf_text_left, top + s.tf_text_drop, s.tf_text_width, step - s.tf_text_drop)
        else:
            out += answer_field(s, k, top)
            box = (s.tx_text_left, top + s.tx_text_drop, s.tx_text_width, step - s.tx_text_drop)
        texts.append(text(f"Text {k}", box, s.text_font, f"Text {k}"))
    # Texts are filled by position: Title first, then Text 1, Text 2, ...
    out += "".join(texts)
    return f"<vtQuestion>\n{out}</vtQuestion>\n"


def pretest(s: Style) -> str:
    out = question_fields(s, 1, 0)
    left, top, width, height = s.picture_box
    out += element("vtPicture", [
        ("id", "picture1"),
        ("PictureName", "Decoration"),
        ("PictureLayer", 1),
        ("PictureLeft", left),
        ("PictureTop", top),
        ("PictureWidth", width),
        ("PictureHeight", height),
        ("picFilePathAbs", ""), ("picFilePathRel", s.picture),
        ("picOverFilePathAbs", 0), ("picOverFilePathRel", 0),
        ("picDownFilePathAbs", 0), ("picDownFilePathRel", 0),
        ("picAudioAbs", 0), ("picAudioRel", 0),
        ("feedback", 0),
    ])
    # The start button is the web test's own, placed above the page's middle;
    # the names keep clear of it.
    out += text("TestName", s.name_box, s.name_font, "TestName")
    out += text("ExaminerName", s.examiner_box, s.examiner_font, "ExaminerName")
    return f"<vtQuestion>\n{out}</vtQuestion>\n"


def main() -> None:
    for s in STYLES:
        folder = ROOT / s.name
        folder.mkdir(parents=True, exist_ok=True)
        files = {"pretest.vtq": pretest(s)}
        for family, counts in (("mc", (2, 3, 4)), ("tf", (1, 2, 3, 4)), ("tx", (1, 2, 3, 4))):
            for count in counts:
                files[f"{family}{count}.vtq"] = question(s, family, count)
        for name, content in files.items():
            (folder / name).write_bytes(content.encode("ascii"))


if __name__ == "__main__":
    main()
