{ A form of classes the framework does not have, as an application's own form file holds it:
  labels with fonts, buttons with handlers, a list box with items, a grid with a collection of
  columns, a vendor's gauge with a set, floats and a picture stored as binary data, a panel with
  a child at a given position, and a TDravik that translates some of them.
    peer_standin DIR   writes DIR/standin_form.bin }
program peer_standin;
{$mode objfpc}{$H+}
uses Classes, SysUtils, TypInfo, PeerForms, PeerTree, PeerDravik;
type
  TFontStyle = (fsBold, fsItalic, fsUnderline);
  TFontStyles = set of TFontStyle;
  TLabelFont = class(TPersistent)
  private
    FName: string; FHeight: Integer; FStyle: TFontStyles;
  published
    property Name: string read FName write FName;
    property Height: Integer read FHeight write FHeight default 0;
    property Style: TFontStyles read FStyle write FStyle default [];
  end;

  TAppLabel = class(TComponent)
  private
    FCaption: string; FFont: TLabelFont; FAlignment: TAlignment; FOnClick: TNotifyEvent;
    procedure SetFont(V: TLabelFont);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Alignment: TAlignment read FAlignment write FAlignment default taLeftJustify;
    property Caption: string read FCaption write FCaption;
    property Font: TLabelFont read FFont write SetFont;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

  TAppButton = class(TComponent)
  private
    FCaption: string; FDefault: Boolean; FOnClick: TNotifyEvent; FFocus: TComponent;
  published
    property Caption: string read FCaption write FCaption;
    property Default: Boolean read FDefault write FDefault default False;
    property Focus: TComponent read FFocus write FFocus;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

  TAppListBox = class(TComponent)
  private
    FItems: TStrings; FColumns: Integer;
    procedure SetItems(V: TStrings);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Columns: Integer read FColumns write FColumns default 0;
    property Items: TStrings read FItems write SetItems;
  end;

  TGridColumn = class(TCollectionItem)
  private
    FTitle: string; FWidth: Integer;
  published
    property Title: string read FTitle write FTitle;
    property Width: Integer read FWidth write FWidth default 64;
  end;

  TAppGrid = class(TComponent)
  private
    FColumns: TCollection;
    procedure SetColumns(V: TCollection);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Columns: TCollection read FColumns write SetColumns;
  end;

  TGaugeOption = (goSmooth, goVertical, goTicks);
  TGaugeOptions = set of TGaugeOption;
  TVendorGauge = class(TComponent)
  private
    FOptions: TGaugeOptions; FRatio: Double; FLevel: Extended; FPicture: TMemoryStream;
    procedure ReadPicture(S: TStream); procedure WritePicture(S: TStream);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Options: TGaugeOptions read FOptions write FOptions default [];
    property Ratio: Double read FRatio write FRatio;
    property Level: Extended read FLevel write FLevel;
  end;

  TAppForm = class(TPeerRoot)
  published
    procedure LabelClick(Sender: TObject);
  end;

constructor TAppLabel.Create(AOwner: TComponent);
begin inherited Create(AOwner); FFont := TLabelFont.Create; end;
destructor TAppLabel.Destroy; begin FFont.Free; inherited; end;
procedure TAppLabel.SetFont(V: TLabelFont); begin FFont.Assign(V); end;

constructor TAppListBox.Create(AOwner: TComponent);
begin inherited Create(AOwner); FItems := TStringList.Create; end;
destructor TAppListBox.Destroy; begin FItems.Free; inherited; end;
procedure TAppListBox.SetItems(V: TStrings); begin FItems.Assign(V); end;

constructor TAppGrid.Create(AOwner: TComponent);
begin inherited Create(AOwner); FColumns := TCollection.Create(TGridColumn); end;
destructor TAppGrid.Destroy; begin FColumns.Free; inherited; end;
procedure TAppGrid.SetColumns(V: TCollection); begin FColumns.Assign(V); end;

constructor TVendorGauge.Create(AOwner: TComponent);
begin inherited Create(AOwner); FPicture := TMemoryStream.Create; end;
destructor TVendorGauge.Destroy; begin FPicture.Free; inherited; end;
procedure TVendorGauge.ReadPicture(S: TStream); begin FPicture.LoadFromStream(S); end;
procedure TVendorGauge.WritePicture(S: TStream); begin FPicture.SaveToStream(S); end;
procedure TVendorGauge.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Picture', @ReadPicture, @WritePicture, FPicture.Size > 0);
end;

procedure TAppForm.LabelClick(Sender: TObject); begin end;

function Buf(const V: Variant): TBytes; begin Result := VariantToBuffer(V); end;

procedure Translate(Entry: TMainEntry; const Name: string; Kind: TTypeKind;
  const Stored: array of TBytes);
begin
  TLangPropertyEntry(AddProp(Entry, Name, Kind)).SetSlots(Stored);
end;

function BuildForm: TAppForm;
var Title: TAppLabel; Ok: TAppButton; List: TAppListBox; Grid: TAppGrid; Gauge: TVendorGauge;
  Column: TGridColumn; Panel: TPeerPanel; Inner: TAppButton; Dravik: TDravik;
  E, FontEntry: TMainEntry;
  Pixels: array[0..39] of Byte; i: Integer;
begin
  Result := TAppForm.Create(nil);
  Result.Name := 'OrderForm'; Result.Caption := 'Orders';
  Title := TAppLabel.Create(Result); Title.Name := 'TitleLabel';
  Title.Caption := 'Open orders'; Title.Alignment := taCenter;
  Title.Font.Name := 'Sans'; Title.Font.Height := -14; Title.Font.Style := [fsBold, fsItalic];
  Title.OnClick := @Result.LabelClick;
  List := TAppListBox.Create(Result); List.Name := 'StateList';
  List.Items.Add('new'); List.Items.Add('paid'); List.Items.Add('shipped');
  Ok := TAppButton.Create(Result); Ok.Name := 'OkButton';
  Ok.Caption := 'OK'; Ok.Default := True; Ok.Focus := List; Ok.OnClick := @Result.ButtonClick;
  Grid := TAppGrid.Create(Result); Grid.Name := 'OrderGrid';
  Column := TGridColumn(Grid.Columns.Add); Column.Title := 'Number'; Column.Width := 80;
  Column := TGridColumn(Grid.Columns.Add); Column.Title := 'Customer';
  Gauge := TVendorGauge.Create(Result); Gauge.Name := 'LoadGauge';
  Gauge.Options := [goSmooth, goTicks]; Gauge.Ratio := 0.75; Gauge.Level := 2.5;
  for i := 0 to High(Pixels) do Pixels[i] := i * 7;
  Gauge.FPicture.WriteBuffer(Pixels, SizeOf(Pixels));
  Panel := TPeerPanel.Create(Result); Panel.Name := 'Panel1'; Panel.Caption := 'Footer';
  Inner := TAppButton.Create(Panel); Inner.Name := 'CloseButton'; Inner.Caption := 'Close';

  Dravik := TDravik.Create(Result); Dravik.Name := 'Dravik'; Dravik.Language := 'English';
  Dravik.AddLanguage('English', 0); Dravik.AddLanguage('Deutsch', 1);
  E := AddComponentEntry(Dravik.Comps, Title);
  Translate(E, 'Caption', tkAString, [Buf('Offene Auftr'#$C3#$A4'ge')]);
  Translate(E, 'Alignment', tkEnumeration, [Buf('taRightJustify')]);
  FontEntry := AddEntry(E, 'Font', [stPubPropObject]);
  Translate(FontEntry, 'Name', tkAString, [Buf('Serif')]);
  Translate(FontEntry, 'Style', tkSet, [Buf('[fsUnderline]')]);
  E := AddComponentEntry(Dravik.Comps, List);
  Translate(AddEntry(E, 'Items', [stTStringsObject]), 'Strings[1]', tkAString, [Buf('bezahlt')]);
  E := AddComponentEntry(Dravik.Comps, Ok);
  Translate(E, 'Caption', tkAString, [Buf('Gut')]);
  E := AddComponentEntry(Dravik.Comps, Grid);
  FontEntry := AddEntry(E, 'Columns[1]', [stPubPropObject, stCollectionObject]);
  Translate(FontEntry, 'Title', tkAString, [Buf('Kunde')]);
  Translate(FontEntry, 'Width', tkInteger, [Buf(LongInt(120))]);
  E := AddComponentEntry(Dravik.Comps, Gauge);
  Translate(E, 'Ratio', tkFloat, [Buf(Double(0.5))]);
  E := AddComponentEntry(Dravik.Comps, Result);
  Translate(E, 'Caption', tkAString, [Buf('Auftr'#$C3#$A4'ge')]);
  Dravik.AddString('Empty', 'No orders', [Buf('Keine Auftr'#$C3#$A4'ge')]);
end;

var Form: TAppForm; S: TFileStream;
begin
  if ParamCount <> 1 then begin WriteLn(StdErr, 'usage: peer_standin DIR'); Halt(2); end;
  Form := BuildForm;
  S := TFileStream.Create(ParamStr(1) + '/standin_form.bin', fmCreate);
  try S.WriteComponent(Form); finally S.Free; end;
  Form.Free;
end.
