#!/usr/bin/env python3
"""Writes a small workbook the way Excel lays one out, as an existing file for merge tests.

  make_xlsx.py FILE                sheets 说明, 企业列表, 图表数据
  make_xlsx.py FILE --without-list sheets 说明 and 图表数据 only

企业列表 holds, with shared strings (one of them rich text), a column width and styles:
  row 1  旧标题 (bold on a yellow fill)  数量
  row 2  甲公司                          12.5
  row 4  富文本 (two runs)               =B2*2 (cached 25)   TRUE
  row 5  _x0041_ (a literal, escaped)    a tab	and a return
Row 3 is left out, so the used rows end at 5.
"""
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"
CT = "http://schemas.openxmlformats.org/package/2006/content-types"
SHEET_CT = "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"


def sheet_xml(rows, cols=""):
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<worksheet xmlns="{MAIN}" xmlns:r="{REL}"><dimension ref="A1:C5"/>{cols}'
            f'<sheetData>{rows}</sheetData><pageMargins left="0.7" right="0.7" top="0.75" '
            f'bottom="0.75" header="0.3" footer="0.3"/></worksheet>')


LIST_ROWS = (
    '<row r="1"><c r="A1" s="1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>'
    '<row r="2"><c r="A2" t="s"><v>2</v></c><c r="B2"><v>12.5</v></c></row>'
    '<row r="4"><c r="A4" t="s"><v>3</v></c><c r="B4"><f>B2*2</f><v>25</v></c>'
    '<c r="C4" t="b"><v>1</v></c></row>'
    '<row r="5"><c r="A5" t="s"><v>4</v></c><c r="B5" t="s"><v>5</v></c></row>')

SHARED = (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
          f'<sst xmlns="{MAIN}" count="7" uniqueCount="7">'
          '<si><t>旧标题</t></si><si><t>数量</t></si><si><t>甲公司</t></si>'
          '<si><r><rPr><b/></rPr><t>富</t></r><r><t>文本</t></r>'
          '<rPh sb="0" eb="1"><t>フ</t></rPh></si>'
          '<si><t>_x005F_x0041_</t></si><si><t xml:space="preserve">a tab\tand a return_x000D_</t></si>'
          '<si><t>说明文字</t></si></sst>')

STYLES = (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
          f'<styleSheet xmlns="{MAIN}">'
          '<fonts count="2"><font><sz val="11"/><color theme="1"/><name val="Calibri"/></font>'
          '<font><b/><sz val="11"/><color rgb="FFC00000"/><name val="Calibri"/></font></fonts>'
          '<fills count="3"><fill><patternFill patternType="none"/></fill>'
          '<fill><patternFill patternType="gray125"/></fill>'
          '<fill><patternFill patternType="solid"><fgColor rgb="FFFFFF00"/><bgColor indexed="64"/>'
          '</patternFill></fill></fills>'
          '<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>'
          '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
          '<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>'
          '<xf numFmtId="0" fontId="1" fillId="2" borderId="0" xfId="0" applyFont="1" applyFill="1"/>'
          '</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>'
          '</styleSheet>')


def main():
    path = sys.argv[1]
    with_list = "--without-list" not in sys.argv[2:]
    sheets = [("说明", sheet_xml('<row r="1"><c r="A1" t="s"><v>6</v></c></row>'))]
    if with_list:
        sheets.append(("企业列表", sheet_xml(LIST_ROWS, '<cols><col min="1" max="1" width="30.7109375" '
                                                        'customWidth="1"/></cols>')))
    sheets.append(("图表数据", sheet_xml('<row r="1"><c r="A1"><v>1</v></c></row>')))

    overrides = "".join(f'<Override PartName="/xl/worksheets/sheet{i + 1}.xml" ContentType="{SHEET_CT}"/>'
                        for i in range(len(sheets)))
    files = {
        "[Content_Types].xml": (
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Types xmlns="{CT}">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-'
            'officedocument.spreadsheetml.sheet.main+xml"/>' + overrides +
            '<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-'
            'officedocument.spreadsheetml.styles+xml"/>'
            '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-'
            'officedocument.spreadsheetml.sharedStrings+xml"/></Types>'),
        "_rels/.rels": (
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="{PKG}">'
            f'<Relationship Id="rId1" Type="{REL}/officeDocument" Target="xl/workbook.xml"/>'
            '</Relationships>'),
        "xl/workbook.xml": (
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>' +
            "".join(f'<sheet name="{name}" sheetId="{i + 1}" r:id="rId{i + 1}"/>'
                    for i, (name, _) in enumerate(sheets)) + '</sheets></workbook>'),
        "xl/_rels/workbook.xml.rels": (
            f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<Relationships xmlns="{PKG}">' +
            "".join(f'<Relationship Id="rId{i + 1}" Type="{REL}/worksheet" '
                    f'Target="worksheets/sheet{i + 1}.xml"/>' for i in range(len(sheets))) +
            f'<Relationship Id="rId90" Type="{REL}/styles" Target="styles.xml"/>'
            f'<Relationship Id="rId91" Type="{REL}/sharedStrings" Target="/xl/sharedStrings.xml"/>'
            '</Relationships>'),
        "xl/styles.xml": STYLES,
        "xl/sharedStrings.xml": SHARED,
    }
    for i, (_, xml) in enumerate(sheets):
        files[f"xl/worksheets/sheet{i + 1}.xml"] = xml
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, content in files.items():
            archive.writestr(name, content)


if __name__ == "__main__":
    main()
